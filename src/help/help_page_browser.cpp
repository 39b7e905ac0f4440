// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_page_browser.h"

#include "help/help_notice.h"
#include "help/help_text.h"
#include "help/outside_link.h"
#include "platform/desktop/shell.h"

namespace kvarzel {

namespace {

const QString pageScheme = QStringLiteral("chm");

QString missingPageNotice(const QString& page) {
    return HelpNoticeHtml(QStringLiteral("Страница не найдена"),
                          QStringLiteral("В файле справки нет страницы «%1».").arg(page));
}

} // namespace

HelpPageBrowser::HelpPageBrowser(QWidget* parent)
    : QTextBrowser(parent), openOutside_([](const QUrl& url) { ShellOpen(url.toString()); }) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpPageBrowser::followLink);
}

void HelpPageBrowser::setHelpFile(std::optional<ChmFile> file) {
    file_ = std::move(file);
    clearHistory();
}

void HelpPageBrowser::showPage(const QString& page) {
    setSource(pageUrl(page));
}

void HelpPageBrowser::showNotice(const QString& heading, const QString& text) {
    clearHistory();
    setHtml(HelpNoticeHtml(heading, text));
}

QString HelpPageBrowser::currentPage() const {
    return file_ ? pageOfUrl(source()) : QString();
}

QUrl HelpPageBrowser::pageUrl(const QString& page) {
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

QString HelpPageBrowser::pageOfUrl(const QUrl& url) {
    return isPageUrl(url) ? url.path().mid(1) : QString();
}

bool HelpPageBrowser::isPageUrl(const QUrl& url) {
    return url.scheme() == pageScheme;
}

void HelpPageBrowser::setOutsideLinkHandler(std::function<void(const QUrl&)> handler) {
    openOutside_ = std::move(handler);
}

QVariant HelpPageBrowser::loadResource(int type, const QUrl& name) {
    const bool isPage = type == QTextDocument::HtmlResource;
    std::optional<QByteArray> data;
    if (file_ && isPageUrl(name)) {
        data = file_->read(name.path());
    }
    if (!data) {
        return isPage ? QVariant(missingPageNotice(pageOfUrl(name))) : QVariant();
    }
    if (isPage || type == QTextDocument::StyleSheetResource) {
        return DecodeHelpText(*data);
    }
    return *data;
}

void HelpPageBrowser::followLink(const QUrl& url) {
    if (isPageUrl(url)) {
        setSource(url);
    } else if (const auto outside = OutsideLink(url)) {
        openOutside_(*outside);
    }
}

} // namespace kvarzel
