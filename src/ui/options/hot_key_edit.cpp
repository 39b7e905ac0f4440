// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/hot_key_edit.h"

#include "platform/keys/shortcut_text.h"
#include "platform/keys/virtual_keys.h"
#include "ui/common/line_edit_accessible.h"
#include "ui/common/read_only_focus.h"

#include <QAction>
#include <QKeyEvent>
#include <QStyle>

namespace kvarzel {
namespace {

TShortCut ModifierOfKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
        return scShift;
    case Qt::Key_Control:
        return scCtrl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return scAlt;
    default:
        return 0;
    }
}

bool IsFocusMove(const QKeyEvent& event) {
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    return tab && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    LineEditAccessible::Install();
    // The text shows the value; it is never edited as text.
    setReadOnly(true);
    KeepTextUnselectedOnTab(*this);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    clearAction_ = new QAction(style()->standardIcon(QStyle::SP_LineEditClearButton),
                               QStringLiteral("Очистить"), this);
    clearAction_->setToolTip(QStringLiteral("Очистить: без дополнительной клавиши"));
    connect(clearAction_, &QAction::triggered, this, [this] { SetHotKey(0); });
    addAction(clearAction_);
    SetHotKey(0);
}

void HotKeyEdit::SetHotKey(TShortCut value) {
    hotKey_ = value;
    pendingModifiers_ = 0;
    ShowHotKey(value);
    emit HotKeyChanged(value);
}

void HotKeyEdit::ShowHotKey(TShortCut value) {
    setText(ShortCutToText(value));
    clearAction_->setVisible(value != 0);
}

bool HotKeyEdit::event(QEvent* event) {
    // Every key but the focus moves is the field's own, menu and button
    // accelerators included.
    if (event->type() == QEvent::ShortcutOverride &&
        !IsFocusMove(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void HotKeyEdit::keyPressEvent(QKeyEvent* event) {
    if (IsFocusMove(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const VirtualKeyPress press = VirtualKeyFromEvent(*event);
    if (const TShortCut modifier = ModifierOfKey(event->key())) {
        heldModifiers_ |= modifier;
        pendingModifiers_ |= heldModifiers_ | ShortCut(0, press.Shift);
        ShowHotKey(pendingModifiers_);
    } else if (press.Key != 0) {
        SetHotKey(ShortCut(press.Key, press.Shift));
    }
}

void HotKeyEdit::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    const TShortCut modifier = ModifierOfKey(event->key());
    if (modifier == 0)
        return;
    heldModifiers_ &= ~modifier;
    if (heldModifiers_ == 0 && pendingModifiers_ != 0 && hasFocus())
        SetHotKey(pendingModifiers_);
}

void HotKeyEdit::focusOutEvent(QFocusEvent* event) {
    // Modifiers still held when the focus leaves are no choice.
    heldModifiers_ = 0;
    if (pendingModifiers_ != 0)
        SetHotKey(hotKey_);
    QLineEdit::focusOutEvent(event);
}

} // namespace kvarzel
