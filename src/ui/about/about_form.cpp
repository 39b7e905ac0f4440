// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/about_form.h"

#include "platform/desktop/application.h"
#include "platform/desktop/shell.h"
#include "ui/about/about_texts.h"
#include "ui/about/text_label.h"
#include "ui/about/version_strings.h"
#include "ui/art/program_icon.h"
#include "ui/common/accessible_names.h"

#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace kvarzel {
namespace {

constexpr int LogoSize = 32;
constexpr int Gap = 8;
constexpr int TextLeft = 48;
constexpr int LinksLeft = 155;

const QColor LinkColour(0, 0, 255);
const QColor HoveredLinkColour(255, 0, 0);

template <typename Control> Control* Create(QWidget* parent, const char* name, auto... arguments) {
    auto* control = new Control(parent, arguments...);
    control->setObjectName(name);
    // Moves without a button reach every control: the labels report theirs, the
    // picture and the button pass theirs on to the dialog.
    control->setMouseTracking(true);
    return control;
}

int RightEdge(const QWidget* control) {
    return control->x() + control->width();
}

int BottomEdge(const QWidget* control) {
    return control->y() + control->height();
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent, const VersionResource& versionResource)
    : HelpDialog(parent, 5), openLink_(ShellOpen) {
    setObjectName("AboutForm");
    setWindowTitle("О программе");
    setFont(MsSansSerifFont());
    setMouseTracking(true);
    CreateControls();
    FormCreate(versionResource);
}

void TAboutForm::CreateControls() {
    LogoImage = Create<QLabel>(this, "LogoImage");
    LogoImage->setGeometry(Gap, Gap, LogoSize, LogoSize);
    NameControl(LogoImage, "Значок программы");

    AboutLabel = Create<TextLabel>(this, "AboutLabel");
    AboutLabel->move(TextLeft, Gap);
    connect(AboutLabel, &TextLabel::MouseMove, this, &TAboutForm::OtherMouseMove);

    // Right-aligned and sized to its text, its right edge stays where the links begin.
    ContactLabel = Create<TextLabel>(this, "ContactLabel", Qt::AlignRight);
    ContactLabel->setGeometry(TextLeft, 0, LinksLeft - TextLeft, 0);
    ContactLabel->SetCaption(QStringLiteral("Электронный адрес: \r\nСайт в Интернете: "));
    connect(ContactLabel, &TextLabel::MouseMove, this, &TAboutForm::OtherMouseMove);

    EmailLabel = CreateLink("EmailLabel", MakerEmail, MakerEmailTarget);
    connect(EmailLabel, &TextLabel::Click, this, &TAboutForm::EmailLabelClick);
    connect(EmailLabel, &TextLabel::MouseMove, this, &TAboutForm::EmailLabelMouseMove);
    WebsiteLabel = CreateLink("WebsiteLabel", MakerWebsite, MakerWebsiteTarget);
    connect(WebsiteLabel, &TextLabel::Click, this, &TAboutForm::WebsiteLabelClick);
    connect(WebsiteLabel, &TextLabel::MouseMove, this, &TAboutForm::WebsiteLabelMouseMove);

    OKButton = Create<QPushButton>(this, "OKButton");
    OKButton->setText("О&К");
    OKButton->resize(75, 25);
    OKButton->setStatusTip("Закрыть это окно");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    // Tab goes from the button on to the links.
    setTabOrder(OKButton, EmailLabel);
    setTabOrder(EmailLabel, WebsiteLabel);
}

// The hint holds the exact target a click opens; the main window's status
// bar shows it while the mouse is over the link.
TextLabel* TAboutForm::CreateLink(const char* name, const QString& text, const QString& target) {
    auto* link = Create<TextLabel>(this, name);
    link->move(LinksLeft, 0);
    link->SetCaption(text);
    link->setStatusTip(target);
    link->SetFontColour(LinkColour);
    link->setCursor(Qt::PointingHandCursor);
    // Reached with Tab, but a click leaves the focus where it was.
    link->setFocusPolicy(Qt::TabFocus);
    link->setAccessibleDescription(target);
    return link;
}

void TAboutForm::FormCreate(const VersionResource& versionResource) {
    LogoImage->setPixmap(QPixmap::fromImage(ProgramIconImage(LogoSize)));
    VersionStrings strings;
    ReadVersionStrings(strings, versionResource);
    AboutLabel->SetCaption(AboutHeaderText(strings));
    // The frame says "О программе"; a screen reader opening the dialog says of which
    // program, before the text with the version that it reads next.
    if (!strings.ProductName.isEmpty())
        setAccessibleName(QStringLiteral("%1 «%2»").arg(windowTitle(), strings.ProductName));

    // The contact lines and the links stand just under the text so far, in
    // the blank lines the acknowledgements then begin with.
    ContactLabel->move(ContactLabel->x(), BottomEdge(AboutLabel));
    EmailLabel->move(EmailLabel->x(), ContactLabel->y());
    WebsiteLabel->move(WebsiteLabel->x(), BottomEdge(ContactLabel) - WebsiteLabel->height());
    AboutLabel->SetCaption(AboutLabel->Caption() + AboutAcknowledgementsText());

    const int clientWidth = std::max(RightEdge(AboutLabel), RightEdge(WebsiteLabel)) + Gap;
    OKButton->move((clientWidth - OKButton->width()) / 2, BottomEdge(AboutLabel) + Gap);
    setFixedSize(clientWidth, BottomEdge(OKButton) + Gap);
}

void TAboutForm::showEvent(QShowEvent* event) {
    HelpDialog::showEvent(event);
    OKButton->setFocus(Qt::OtherFocusReason);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        OKButton->click();
        return;
    }
    HelpDialog::keyPressEvent(event);
}

void TAboutForm::mouseMoveEvent(QMouseEvent*) {
    OtherMouseMove();
}

void TAboutForm::EmailLabelClick() {
    OpenLinkOf(EmailLabel);
}

void TAboutForm::WebsiteLabelClick() {
    OpenLinkOf(WebsiteLabel);
}

// Whether the desktop could open it or not, the link turns blue.
void TAboutForm::OpenLinkOf(TextLabel* label) {
    if (openLink_)
        openLink_(label->statusTip());
    label->SetFontColour(LinkColour);
}

void TAboutForm::EmailLabelMouseMove() {
    EmailLabel->SetFontColour(HoveredLinkColour);
    WebsiteLabel->SetFontColour(LinkColour);
}

void TAboutForm::WebsiteLabelMouseMove() {
    WebsiteLabel->SetFontColour(HoveredLinkColour);
    EmailLabel->SetFontColour(LinkColour);
}

void TAboutForm::OtherMouseMove() {
    EmailLabel->SetFontColour(LinkColour);
    WebsiteLabel->SetFontColour(LinkColour);
}

} // namespace kvarzel
