// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

namespace kvarzel {

// The program icon ("MAINICON") at 16, 24, 32, 48, 64 and 256 pixels, each
// size drawn in two colours on a transparent background.
QIcon ProgramIcon();

// One size of the program icon alone, for a window that shows only that one.
QImage ProgramIconImage(int size);

} // namespace kvarzel
