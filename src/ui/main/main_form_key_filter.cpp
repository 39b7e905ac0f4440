// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's key filter, on the whole application: the window's keys,
// its menu shortcuts and F1 on its menus, taken before its controls see them.
#include "ui/main/main_form.h"

#include "help/help.h"
#include "platform/keys/virtual_keys.h"
#include "ui/common/help_context.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>

namespace kvarzel {

bool TMainForm::IsKeyPreviewTarget(const QObject* receiver) const {
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget || widget->window() != this)
        return false;
    // A menu bar in keyboard mode takes the keys itself, as a menu loop does.
    if (qobject_cast<const QMenuBar*>(widget))
        return false;
    const QWidget* focused = QApplication::focusWidget();
    return widget == (focused ? focused : this);
}

bool TMainForm::IsOwnMenu(const QObject* object) const {
    return object == TrainingMenuItem || object == HelpMenuItem;
}

bool TMainForm::OpenMenuOfMnemonic(const QKeySequence& mnemonic) {
    for (QAction* item : menuBar()->actions()) {
        if (QKeySequence::mnemonic(item->text()) == mnemonic) {
            menuBar()->setActiveAction(item);
            return true;
        }
    }
    return false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // "&Тренировка" is both a menu and a page: as on Windows, its Alt+letter
    // opens the menu, where Qt would alternate between the two.
    if (event->type() == QEvent::Shortcut && watched == PageControl->tabBar()) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        return shortcut->isAmbiguous() && OpenMenuOfMnemonic(shortcut->key());
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    // F1 on an open menu opens the menu's help topic.
    if (IsOwnMenu(watched) && keyEvent->key() == Qt::Key_F1) {
        ShowHelpTopic(HelpContext(static_cast<QMenu*>(watched)->menuAction()));
        return true;
    }
    if (!IsKeyPreviewTarget(watched))
        return false;
    const VirtualKeyPress press = VirtualKeyFromEvent(*keyEvent);
    if (TriggerMenuShortcut(press))
        return true;
    return FormKeyDown(press.Key, press.Shift);
}

// Qt matches shortcuts by the characters of the active layout, so with a
// Cyrillic layout and no Latin one beside it Ctrl+N would never match. A
// shortcut names a key, so a menu shortcut that reaches us is matched by key.
bool TMainForm::TriggerMenuShortcut(const VirtualKeyPress& press) {
    for (QAction* item : {TrainMenuItem, ExitMenuItem, ContentsMenuItem}) {
        const QKeyCombination shortcut = item->shortcut()[0];
        const VirtualKeyPress key =
            VirtualKeyFromKey(shortcut.key(), shortcut.keyboardModifiers(), 0);
        if (key.Key == press.Key && key.Shift == press.Shift) {
            item->trigger();
            return true;
        }
    }
    return false;
}

} // namespace kvarzel
