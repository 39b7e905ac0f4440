// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kvarzel {

// A modal dialog is minimised only together with the window it belongs to,
// which the window manager does when that window is minimised; its own frame
// has no minimise button. The dialog's window flags leave the button out, and
// Qt tells the manager so through the Motif hints, but openbox keeps the
// button on every window it does not take for a toolbar or a menu (the
// button there minimises the owner along with the dialog, and with no task
// bar nothing is left on the screen to bring them back). Under openbox the
// dialog is therefore offered as a toolbar first, then as the dialog it is.
// Called before every map of the dialog, as the manager reads the types then.
void LeaveOutMinimiseButton(QWidget& dialog);

} // namespace kvarzel
