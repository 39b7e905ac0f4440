// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kvarzel {

// A page that the viewer shows instead of a help page it cannot show; the
// texts are plain and are escaped here.
QString HelpNoticeHtml(const QString& heading, const QString& text);

} // namespace kvarzel
