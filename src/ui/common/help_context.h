// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;

namespace kvarzel {

// The help topic number of a window, control or menu item. A control
// without one of its own has 0: contexts are not inherited from parents.
void SetHelpContext(QObject* object, int context);
int HelpContext(const QObject* object);

} // namespace kvarzel
