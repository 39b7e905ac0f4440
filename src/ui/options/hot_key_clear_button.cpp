// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/hot_key_clear_button.h"

#include "ui/options/hot_key_edit.h"

#include <QAction>

namespace kvarzel {

HotKeyClearButton::HotKeyClearButton(HotKeyEdit& field, QWidget* parent)
    : QToolButton(parent), field_(field) {
    setIcon(field.ClearAction()->icon());
    setToolTip(field.ClearAction()->toolTip());
    setStatusTip(field.ClearAction()->toolTip());
    setAutoRaise(true);
    // Reached with Tab like every other control, but a click leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
    setEnabled(field.HotKey() != 0);
    connect(&field, &HotKeyEdit::HotKeyChanged, this,
            [this](TShortCut value) { setEnabled(value != 0); });
    connect(this, &QToolButton::clicked, this, &HotKeyClearButton::Clear);
}

// Pressed from the keyboard, the button gives the focus to the field, where the
// next key goes, before it is disabled and would pass the focus on.
void HotKeyClearButton::Clear() {
    if (hasFocus())
        field_.setFocus(Qt::OtherFocusReason);
    field_.SetHotKey(0);
}

} // namespace kvarzel
