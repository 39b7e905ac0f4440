// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_page_browser.h"

#include "help/help_notice.h"
#include "help/help_page_accessible.h"
#include "help/help_text.h"
#include "help/outside_link.h"
#include "platform/desktop/shell.h"

#include <QAccessible>
#include <QTextBlock>

#include <algorithm>

namespace kvarzel {

namespace {

const QString pageScheme = QStringLiteral("chm");

QString MissingPageNotice(const QString& page) {
    return HelpNoticeHtml(QStringLiteral("Страница не найдена"),
                          QStringLiteral("В файле справки нет страницы «%1».").arg(page));
}

} // namespace

HelpPageBrowser::HelpPageBrowser(QWidget* parent)
    : QTextBrowser(parent), openOutside_([](const QUrl& url) { ShellOpen(url.toString()); }) {
    HelpPageAccessible::Install();
    // A caret that the arrows move, for a screen reader to read the page line by line;
    // Tab still goes from link to link, and Enter follows the one selected.
    setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpPageBrowser::FollowLink);
    connect(this, &QTextBrowser::sourceChanged, this, &HelpPageBrowser::PlaceCaret);
}

void HelpPageBrowser::SetHelpFile(std::optional<ChmFile> file) {
    file_ = std::move(file);
    clearHistory();
}

void HelpPageBrowser::ShowPage(const QString& page) {
    setSource(PageUrl(page));
}

void HelpPageBrowser::ShowNotice(const QString& heading, const QString& text) {
    clearHistory();
    setHtml(HelpNoticeHtml(heading, text));
}

QString HelpPageBrowser::CurrentPage() const {
    return file_ ? PageOfUrl(source()) : QString();
}

QString HelpPageBrowser::PlaceHeading(const QUrl& source) const {
    if (const int anchor = source.hasFragment() ? AnchorPosition(source.fragment()) : -1;
        anchor >= 0)
        return document()->findBlock(anchor).text().trimmed();
    const QString title = documentTitle().trimmed();
    return title.isEmpty() ? document()->firstBlock().text().trimmed() : title;
}

void HelpPageBrowser::PlaceCaret(const QUrl& source) {
    const int anchor = source.hasFragment() ? AnchorPosition(source.fragment()) : -1;
    QTextCursor caret(document());
    caret.setPosition(std::max(anchor, 0));
    setTextCursor(caret);
}

int HelpPageBrowser::AnchorPosition(const QString& name) const {
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().anchorNames().contains(name))
                return fragment.fragment().position();
    return -1;
}

QUrl HelpPageBrowser::PageUrl(const QString& page) {
    QUrl url;
    url.setScheme(pageScheme);
    const qsizetype hash = page.indexOf(u'#');
    const QString path = hash < 0 ? page : page.left(hash);
    url.setPath(path.startsWith(u'/') ? path : u'/' + path);
    if (hash >= 0) {
        url.setFragment(page.mid(hash + 1));
    }
    return url;
}

QString HelpPageBrowser::PageOfUrl(const QUrl& url) {
    return IsPageUrl(url) ? url.path().mid(1) : QString();
}

bool HelpPageBrowser::IsPageUrl(const QUrl& url) {
    return url.scheme() == pageScheme;
}

void HelpPageBrowser::SetOutsideLinkHandler(std::function<void(const QUrl&)> handler) {
    openOutside_ = std::move(handler);
}

QVariant HelpPageBrowser::loadResource(int type, const QUrl& name) {
    const bool isPage = type == QTextDocument::HtmlResource;
    std::optional<QByteArray> data;
    if (file_ && IsPageUrl(name)) {
        data = file_->Read(name.path());
    }
    if (!data) {
        return isPage ? QVariant(MissingPageNotice(PageOfUrl(name))) : QVariant();
    }
    if (isPage || type == QTextDocument::StyleSheetResource) {
        return DecodeHelpText(*data);
    }
    return *data;
}

// Tab selects the next link without telling accessibility tools; told, a screen
// reader speaks the link's text, and its caret is where Enter follows from.
bool HelpPageBrowser::focusNextPrevChild(bool next) {
    const bool moved = QTextBrowser::focusNextPrevChild(next);
    if (hasFocus() && textCursor().hasSelection())
        TellSelectedLink();
    return moved;
}

void HelpPageBrowser::TellSelectedLink() {
    const QTextCursor link = textCursor();
    QAccessibleTextCursorEvent caret(this, link.position());
    QAccessible::updateAccessibility(&caret);
    QAccessibleTextSelectionEvent selection(this, link.selectionStart(), link.selectionEnd());
    selection.setCursorPosition(link.position());
    QAccessible::updateAccessibility(&selection);
}

void HelpPageBrowser::FollowLink(const QUrl& url) {
    if (IsPageUrl(url)) {
        setSource(url);
    } else if (const auto outside = OutsideLink(url)) {
        openOutside_(*outside);
    }
}

} // namespace kvarzel
