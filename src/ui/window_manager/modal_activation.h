// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvarzel {

// While a modal dialog is open, a window it blocks that becomes active (a
// click on the main window, say) passes the activation on to the dialog, so
// that the keys keep reaching the dialog. Installed once for the application.
void KeepActivationWithModalDialogs();

} // namespace kvarzel
