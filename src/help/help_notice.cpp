// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_notice.h"

namespace kvarzel {

QString HelpNoticeHtml(const QString& heading, const QString& text) {
    return QStringLiteral("<html><head><title>%1</title></head><body>"
                          "<h2>%1</h2><p>%2</p></body></html>")
        .arg(heading.toHtmlEscaped(), text.toHtmlEscaped());
}

} // namespace kvarzel
