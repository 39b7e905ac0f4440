// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kvarzel {

// Places a window's whole frame, title bar included, in the middle of the
// screen it is on. Called before the window is first mapped. On X11 the frame
// is asked of the window manager beforehand; a manager that places or frames
// the window differently, or starts only later, has its moves undone until
// the frame is centred, unless the user drags the window meanwhile. On
// Wayland a window cannot place itself and the compositor decides.
void CentreOnScreen(QWidget& window);

} // namespace kvarzel
