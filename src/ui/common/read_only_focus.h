// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLineEdit;

namespace kvarzel {

// Tab into a one-line field selects its text, for typing over it, and a
// screen reader reads the selection: before the field's name, and then again
// as it reads the field. A field whose text is not typed (a figure shown, a
// key taken as a whole) is reached without selecting anything.
void KeepTextUnselectedOnTab(QLineEdit& field);

} // namespace kvarzel
