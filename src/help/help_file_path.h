// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kvarzel {

// The help file that belongs to an executable: its path with the extension of
// the file name replaced by "chm", or ".chm" appended to a name without one.
QString HelpFilePathFor(const QString& executablePath);

} // namespace kvarzel
