// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help.h"
#include "help/help_viewer.h"
#include "platform/desktop/application_hint.h"
#include "test_support/version_block.h"
#include "ui/about/about_form.h"
#include "ui/about/text_label.h"
#include "ui/common/help_context.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

namespace kvarzel::testing {
namespace {

const QColor Blue(0, 0, 255), Red(255, 0, 0);
const QString Email = "mailto:info@tellumor.example";
const QString Website = "https://tellumor.example/";

int Right(const QWidget* w) {
    return w->x() + w->width();
}
int Bottom(const QWidget* w) {
    return w->y() + w->height();
}

// An About dialog made from a version block of the test's own.
class AboutFormTest : public ::testing::Test {
protected:
    std::unique_ptr<TAboutForm> Make(const QByteArray& description) {
        block.Write("041904E3", {{"FileDescription", description},
                                 {"FileVersion", "3.2.1.0"},
                                 {"LegalCopyright", "Все права защищены"}});
        return std::make_unique<TAboutForm>(nullptr, block.Resource());
    }
    std::unique_ptr<TAboutForm> Shown() {
        auto form = Make("Тренажёр интуиции");
        form->SetLinkOpener([this](const QString& link) { Opened << link; });
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    static void MoveTo(QWidget* control, QPoint at = {3, 3}) {
        QTest::mouseMove(control, at);
        QApplication::processEvents();
    }

    VersionBlockFolder block;
    QStringList Opened;
};

TEST(CaptionLinesTest, EveryKindOfBreakStartsALine) {
    EXPECT_EQ(CaptionLines("a\rb\r\nc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(CaptionLines("a\r\n\n\nb\r"), QStringList({"a", "", "", "b", ""}));
    EXPECT_EQ(CaptionLines(""), QStringList({""}));
}

TEST_F(AboutFormTest, TextIsTheDescriptionVersionCopyrightAndThanks) {
    const auto form = Make("Тренажёр интуиции");
    const QStringList lines = CaptionLines(form->AboutLabel->Caption());
    ASSERT_EQ(lines.size(), 11) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], "Тренажёр интуиции");
    EXPECT_EQ(lines[1], "Версия 3.2.1.0");
    EXPECT_EQ(lines[2], "");
    EXPECT_TRUE(lines[3].startsWith("© ")) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].endsWith(" (Все права защищены)")) << lines[3].toStdString();
    for (int blank = 4; blank <= 7; ++blank)
        EXPECT_EQ(lines[blank], "") << blank;
    for (int thanks = 8; thanks <= 10; ++thanks)
        EXPECT_FALSE(lines[thanks].isEmpty()) << thanks;
    EXPECT_EQ(CaptionLines(form->ContactLabel->Caption()),
              QStringList({"Электронный адрес: ", "Сайт в Интернете: "}));
}

TEST_F(AboutFormTest, WithoutVersionStringsTheDefaultsShow) {
    const TAboutForm form(nullptr, VersionResource("/nonexistent/kvarzel-version"));
    const QStringList lines = CaptionLines(form.AboutLabel->Caption());
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "Версия 1.0.0.0");
    EXPECT_TRUE(lines[3].endsWith(" ()")) << lines[3].toStdString();
}

TEST_F(AboutFormTest, ContactLinesStandInTheBlankLinesUnderTheCopyright) {
    const auto form = Make("Тренажёр интуиции");
    const int line = form->fontMetrics().height();
    EXPECT_EQ(form->LogoImage->geometry(), QRect(8, 8, 32, 32));
    EXPECT_FALSE(form->LogoImage->pixmap().isNull());
    EXPECT_EQ(form->AboutLabel->pos(), QPoint(48, 8));
    EXPECT_EQ(form->AboutLabel->height(), 11 * line);
    // Description, version, blank, copyright and the blank its break starts.
    EXPECT_EQ(form->ContactLabel->y(), 8 + 5 * line);
    EXPECT_EQ(form->ContactLabel->height(), 2 * line);
    EXPECT_EQ(Right(form->ContactLabel), 155);
    EXPECT_EQ(form->EmailLabel->pos(), QPoint(155, form->ContactLabel->y()));
    EXPECT_EQ(form->WebsiteLabel->x(), 155);
    EXPECT_EQ(Bottom(form->WebsiteLabel), Bottom(form->ContactLabel));
    EXPECT_LT(Bottom(form->ContactLabel), 8 + 8 * line);
}

TEST_F(AboutFormTest, ALongDescriptionWidensTheDialogAndTheButtonStaysCentred) {
    const QString description =
        "Тренажёр интуиции, в котором горошины сыплются в воображаемое ведро";
    const auto form = Make(description.toUtf8());
    const int textWidth = form->fontMetrics().horizontalAdvance(description);
    EXPECT_EQ(form->width(), 48 + textWidth + 8);
    EXPECT_GT(form->width(), Right(form->WebsiteLabel) + 8);
    EXPECT_EQ(form->OKButton->size(), QSize(75, 25));
    EXPECT_EQ(form->OKButton->x(), (form->width() - 75) / 2);
    EXPECT_EQ(form->OKButton->y(), Bottom(form->AboutLabel) + 8);
    EXPECT_EQ(form->height(), Bottom(form->OKButton) + 8);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
}

TEST_F(AboutFormTest, AShortTextLeavesRoomForTheWebsiteAndTheEmailFits) {
    const auto form = Make("Тренажёр");
    EXPECT_EQ(form->width(), Right(form->WebsiteLabel) + 8);
    EXPECT_EQ(form->WebsiteLabel->width(),
              form->fontMetrics().horizontalAdvance("https://tellumor.example/"));
    EXPECT_LE(Right(form->EmailLabel), form->width() - 8);
    EXPECT_EQ(form->OKButton->x(), (form->width() - 75) / 2);
    EXPECT_EQ(form->height(), Bottom(form->AboutLabel) + 8 + 25 + 8);
}

TEST_F(AboutFormTest, DialogCarriesItsCaptionHelpContextAndLinkLooks) {
    const auto form = Make("Тренажёр интуиции");
    EXPECT_EQ(form->windowTitle(), "О программе");
    EXPECT_EQ(HelpContext(form.get()), 5);
    EXPECT_EQ(HelpContext(form->EmailLabel), 0);
    EXPECT_FALSE(form->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form->OKButton->text(), "О&К");
    EXPECT_TRUE(form->OKButton->isDefault());
    EXPECT_EQ(form->OKButton->statusTip(), "Закрыть это окно");
    const std::pair<TextLabel*, QString> links[] = {{form->EmailLabel, Email},
                                                    {form->WebsiteLabel, Website}};
    for (const auto& [link, target] : links) {
        EXPECT_EQ(link->statusTip(), target);
        EXPECT_EQ(link->toolTip(), "");
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(link->FontColour(), Blue);
    }
    EXPECT_EQ(form->EmailLabel->Caption(), "info@tellumor.example");
}

TEST_F(AboutFormTest, TheLinkUnderTheMouseTurnsRedAndTheOtherBlue) {
    const auto form = Shown();
    MoveTo(form->EmailLabel);
    EXPECT_EQ(form->EmailLabel->FontColour(), Red);
    EXPECT_EQ(form->WebsiteLabel->FontColour(), Blue);
    MoveTo(form->WebsiteLabel);
    EXPECT_EQ(form->EmailLabel->FontColour(), Blue);
    EXPECT_EQ(form->WebsiteLabel->FontColour(), Red);
    MoveTo(form->OKButton);
    EXPECT_EQ(form->WebsiteLabel->FontColour(), Blue);

    for (QWidget* elsewhere : std::initializer_list<QWidget*>{form->LogoImage, form->AboutLabel,
                                                              form->ContactLabel, form.get()}) {
        MoveTo(form->WebsiteLabel);
        ASSERT_EQ(form->WebsiteLabel->FontColour(), Red);
        MoveTo(elsewhere, elsewhere == form.get() ? QPoint(2, form->height() - 2) : QPoint(3, 3));
        EXPECT_EQ(form->WebsiteLabel->FontColour(), Blue) << elsewhere->objectName().toStdString();
        EXPECT_EQ(form->EmailLabel->FontColour(), Blue);
    }
}

TEST_F(AboutFormTest, ALinkLeftRedStaysRedWhenTheDialogComesBack) {
    const auto form = Shown();
    MoveTo(form->EmailLabel);
    form->hide();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->EmailLabel->FontColour(), Red);
}

TEST_F(AboutFormTest, AClickOpensTheHintsTargetAndTurnsTheLinkBlue) {
    const auto form = Shown();
    MoveTo(form->EmailLabel);
    QTest::mouseClick(form->EmailLabel, Qt::LeftButton, {}, {3, 3});
    EXPECT_EQ(form->EmailLabel->FontColour(), Blue);
    MoveTo(form->WebsiteLabel);
    QTest::mouseClick(form->WebsiteLabel, Qt::LeftButton, {}, {3, 3});
    EXPECT_EQ(form->WebsiteLabel->FontColour(), Blue);
    EXPECT_EQ(Opened, QStringList({Email, Website}));

    // A press that ends off the link, a right click or a click on the contact line open nothing.
    QTest::mousePress(form->EmailLabel, Qt::LeftButton, {}, {3, 3});
    QTest::mouseRelease(form->EmailLabel, Qt::LeftButton, {}, {3, form->EmailLabel->height() + 5});
    QTest::mouseClick(form->WebsiteLabel, Qt::RightButton, {}, {3, 3});
    QTest::mouseClick(form->ContactLabel, Qt::LeftButton, {}, {3, 3});
    EXPECT_EQ(Opened.size(), 2);
    EXPECT_TRUE(form->isVisible());
}

// Stands in for the desktop's mail program and browser.
class DesktopHandler : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void Open(const QUrl& url) { Urls << url; }
};

TEST_F(AboutFormTest, ByDefaultAClickReachesTheDesktopsHandler) {
    auto form = Make("Тренажёр интуиции");
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    DesktopHandler desktop;
    for (const char* scheme : {"mailto", "https"})
        QDesktopServices::setUrlHandler(scheme, &desktop, "Open");
    QTest::mouseClick(form->EmailLabel, Qt::LeftButton, {}, {3, 3});
    QTest::mouseClick(form->WebsiteLabel, Qt::LeftButton, {}, {3, 3});
    for (const char* scheme : {"mailto", "https"})
        QDesktopServices::unsetUrlHandler(scheme);
    EXPECT_EQ(desktop.Urls, QList<QUrl>({QUrl(Email), QUrl(Website)}));
}

TEST_F(AboutFormTest, HintsOfTheLinksAndTheButtonReachTheApplicationHint) {
    const auto form = Shown();
    ApplicationHint& hint = ApplicationHint::Instance();
    MoveTo(form->EmailLabel);
    EXPECT_EQ(hint.Hint(), Email);
    MoveTo(form->WebsiteLabel);
    EXPECT_EQ(hint.Hint(), Website);
    MoveTo(form->OKButton);
    EXPECT_EQ(hint.Hint(), "Закрыть это окно");
}

TEST_F(AboutFormTest, EnterAndEscCloseWithTheOkResultTheCloseBoxCancels) {
    const auto form = Shown();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        form->setResult(QDialog::Rejected);
        form->show();
        QTest::keyClick(form->OKButton, key);
        EXPECT_FALSE(form->isVisible()) << key;
        EXPECT_EQ(form->result(), QDialog::Accepted) << key;
    }
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(AboutFormTest, F1OpensTheAboutTopicAndLeavesTheDialogOpen) {
    InitHelp(KVARZEL_BINARY_DIR "/kvarzel");
    const auto form = Shown();
    QTest::keyClick(form->OKButton, Qt::Key_F1);
    ASSERT_NE(HelpViewerWindow(), nullptr);
    EXPECT_EQ(HelpViewerWindow()->CurrentPage(), "AboutApp.htm");
    EXPECT_TRUE(form->isVisible());
    DoneHelp();
}

TEST_F(AboutFormTest, CentredAtTheFirstShowOnlyThenWhereTheUserLeftIt) {
    const auto form = Shown();
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_LE(std::abs(form->frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(form->frameGeometry().center().y() - screen.center().y()), 1);
    form->hide();
    form->move(screen.topLeft() + QPoint(10, 20));
    form->show();
    EXPECT_EQ(form->pos(), screen.topLeft() + QPoint(10, 20));
}

} // namespace
} // namespace kvarzel::testing

#include "test_about_form.moc"
