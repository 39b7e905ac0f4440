// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"

#include <QLineEdit>

class QAction;

namespace kvarzel {

// A hot-key field: the key pressed while it has the focus, with its Shift,
// Ctrl and Alt state, becomes its value, shown as text. Every combination
// is taken, a plain key and modifiers alone too; a field showing no key
// reads 0. Modifiers pressed without a key are shown at once but taken only
// when they are all released, so that Ctrl+Enter still confirms the dialog
// with the field unchanged. An item of its context menu, and the clear button
// beside it, clear it back to 0: Backspace and Delete are keys like any other.
class HotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit HotKeyEdit(QWidget* parent = nullptr);

    TShortCut HotKey() const { return hotKey_; }
    void SetHotKey(TShortCut value);

    QAction* ClearAction() const { return clearAction_; }

signals:
    // The value has changed, or was set again.
    void HotKeyChanged(TShortCut value);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowHotKey(TShortCut value);

    TShortCut hotKey_ = 0;
    // The modifier keys down now, and all that were down since the last key.
    TShortCut heldModifiers_ = 0;
    TShortCut pendingModifiers_ = 0;
    QAction* clearAction_;
};

} // namespace kvarzel
