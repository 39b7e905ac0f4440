// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

namespace kvarzel {

class HotKeyEdit;

// The button beside a hot-key field that clears it back to no key. The field
// takes every key as its value, so clearing it from the keyboard needs a
// control of its own: Tab reaches this button while the field holds a key,
// Space presses it, and the focus goes back to the field for a new key.
class HotKeyClearButton : public QToolButton {
    Q_OBJECT
public:
    HotKeyClearButton(HotKeyEdit& field, QWidget* parent);

private:
    void Clear();

    HotKeyEdit& field_;
};

} // namespace kvarzel
