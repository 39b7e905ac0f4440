// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace kvarzel {

void ShellOpen(const QString& link) {
    QDesktopServices::openUrl(QUrl::fromUserInput(link));
}

} // namespace kvarzel
