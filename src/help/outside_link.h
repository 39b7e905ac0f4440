// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

#include <optional>

namespace kvarzel {

// What a link on a help page may hand to the desktop: web addresses as they
// are, and mail links reduced to the address, the subject and the body (a
// header such as "attach" could make the mail program attach a local file).
// Nothing for any other link: a help page must not make the desktop run a
// program or open a local file.
std::optional<QUrl> OutsideLink(const QUrl& link);

} // namespace kvarzel
