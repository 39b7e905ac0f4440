// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hand_over_request.h"

class QWidget;

namespace kvarzel {

// Brings the program back for a later start of it: the main window is shown
// again if minimised, and the window the user works in (an open modal dialog,
// else the main window) is raised and activated. On X11 the window manager is
// asked on the user's behalf, at the time of the launcher's startup id when
// the later start had one; on Wayland the compositor decides, given the later
// start's activation token when it had one.
void BringToFront(QWidget& mainWindow, const HandOverRequest& request);

} // namespace kvarzel
