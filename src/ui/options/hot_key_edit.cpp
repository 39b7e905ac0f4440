#include "ui/options/hot_key_edit.h"

#include "platform/virtual_keys.h"

#include <QAction>
#include <QKeyEvent>
#include <QStyle>

namespace kvarzel {
namespace {

// A modifier key pressed by itself counts as its modifier, not as a key; a
// key without a virtual-key code gives 0.
TShortCut PressedHotKey(const QKeyEvent& event) {
    VirtualKeyPress press = VirtualKeyFromEvent(event);
    if (press.Key == 0)
        return 0;
    switch (press.Key) {
    case VK_SHIFT:
        press.Shift.Shift = true;
        press.Key = 0;
        break;
    case VK_CONTROL:
        press.Shift.Ctrl = true;
        press.Key = 0;
        break;
    case VK_MENU:
        press.Shift.Alt = true;
        press.Key = 0;
        break;
    default:
        break;
    }
    return ShortCut(press.Key, press.Shift);
}

bool IsFocusMove(const QKeyEvent& event) {
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    return tab && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

THotKey::THotKey(QWidget* parent) : QLineEdit(parent) {
    // The text shows the value; it is never edited as text.
    setReadOnly(true);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    clearAction_ = new QAction(style()->standardIcon(QStyle::SP_LineEditClearButton),
                               QStringLiteral("Очистить"), this);
    clearAction_->setToolTip(QStringLiteral("Очистить: без дополнительной клавиши"));
    connect(clearAction_, &QAction::triggered, this, [this] { SetHotKey(0); });
    addAction(clearAction_, QLineEdit::TrailingPosition);
    SetHotKey(0);
}

void THotKey::SetHotKey(TShortCut value) {
    hotKey_ = value;
    setText(ShortCutToText(value));
    clearAction_->setVisible(value != 0);
}

bool THotKey::event(QEvent* event) {
    // Every key but the focus moves is the field's own, menu and button
    // accelerators included.
    if (event->type() == QEvent::ShortcutOverride &&
        !IsFocusMove(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void THotKey::keyPressEvent(QKeyEvent* event) {
    if (IsFocusMove(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (const TShortCut pressed = PressedHotKey(*event))
        SetHotKey(pressed);
    event->accept();
}

} // namespace kvarzel
