#pragma once

class QWidget;

namespace kvarzel {

// Places a window's whole frame, title bar included, in the middle of the
// screen it is on. An X11 window manager adds the frame only after the
// window is mapped, so the window is centred again once its frame is known,
// unless it has been moved meanwhile. On Wayland a window cannot place
// itself and the compositor decides.
void CentreOnScreen(QWidget& window);

} // namespace kvarzel
