// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kvarzel {

// Opens a link (web address, mailto:, file) with the desktop's handler and
// does not wait for it.
void ShellOpen(const QString& link);

} // namespace kvarzel
