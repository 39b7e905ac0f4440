// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/outside_link.h"

#include <QUrlQuery>

namespace kvarzel {

namespace {

QUrl MailLink(const QUrl& link) {
    const QUrlQuery headers(link);
    QUrlQuery kept;
    for (const QString& name : {QStringLiteral("subject"), QStringLiteral("body")}) {
        for (const auto& [key, value] : headers.queryItems(QUrl::FullyDecoded)) {
            if (key.compare(name, Qt::CaseInsensitive) == 0) {
                kept.addQueryItem(name, value);
                break;
            }
        }
    }
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(link.path(QUrl::FullyDecoded));
    if (!kept.isEmpty()) {
        mail.setQuery(kept);
    }
    return mail;
}

} // namespace

std::optional<QUrl> OutsideLink(const QUrl& link) {
    const QString scheme = link.scheme().toLower();
    if (scheme == u"http" || scheme == u"https") {
        return link;
    }
    if (scheme == u"mailto") {
        return MailLink(link);
    }
    return std::nullopt;
}

} // namespace kvarzel
