// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/application_hint.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace kvarzel {
namespace {

// The first status tip from the control up to its window.
QString HintOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (w->isWindow())
            break;
    }
    return {};
}

// The application object the filter sits on, so that a new one (tests make
// one per program, some more) gets it too.
QPointer<QCoreApplication>& FilteredApplication() {
    static QPointer<QCoreApplication> application;
    return application;
}

} // namespace

ApplicationHint::ApplicationHint() = default;

ApplicationHint& ApplicationHint::Instance() {
    // Never destroyed: widgets may still send events while statics go away.
    static auto* instance = new ApplicationHint;
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && FilteredApplication() != application) {
        application->installEventFilter(instance);
        FilteredApplication() = application;
        for (QWidget* widget : QApplication::allWidgets())
            instance->WatchMenu(widget);
    }
    return *instance;
}

void ApplicationHint::CancelHint() {
    SetHint({});
}

bool ApplicationHint::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // Qt would put it into a main window's status bar behind our back.
        return true;
    case QEvent::Enter:
        if (watched->isWidgetType())
            MouseEntered(static_cast<QWidget*>(watched), static_cast<QEnterEvent*>(event));
        break;
    case QEvent::Leave:
        if (watched->isWidgetType())
            MouseLeft(static_cast<QWidget*>(watched));
        break;
    case QEvent::Polish:
        if (watched->isWidgetType())
            WatchMenu(static_cast<QWidget*>(watched));
        break;
    case QEvent::Hide:
        // A closed menu leaves no highlighted item behind.
        if (qobject_cast<QMenu*>(watched) != nullptr)
            SetHint({});
        break;
    case QEvent::FocusOut:
        // The menu bar leaves keyboard mode (Esc, Alt, a click elsewhere)
        // without a signal; the focus it gives back says so.
        if (auto* menuBar = qobject_cast<QMenuBar*>(watched))
            ClearWhenNothingHighlighted(menuBar);
        break;
    default:
        break;
    }
    return false;
}

void ApplicationHint::SetHint(const QString& value) {
    hintOfMenu = false;
    if (value == hint)
        return;
    hint = value;
    emit HintChanged(hint);
}

// Enter comes to the outer widgets first; only the innermost, which has no
// child under the mouse, decides, so no parent's hint flashes by.
void ApplicationHint::MouseEntered(QWidget* widget, const QEnterEvent* event) {
    leavePending = false;
    underMouse = widget;
    if (widget->childAt(event->position().toPoint()) == nullptr)
        SetHint(HintOf(widget));
}

// Leaving a child for its parent brings no Enter to the parent, so the
// parent's hint follows unless an Enter elsewhere comes first (Qt sends
// every Leave of a move before its Enters).
void ApplicationHint::MouseLeft(QWidget* widget) {
    if (widget != underMouse)
        return;
    underMouse = widget->isWindow() ? nullptr : widget->parentWidget();
    if (leavePending)
        return;
    leavePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!leavePending)
                return;
            leavePending = false;
            SetHint(HintOf(underMouse));
        },
        Qt::QueuedConnection);
}

void ApplicationHint::WatchMenu(QWidget* widget) {
    if (auto* menu = qobject_cast<QMenu*>(widget))
        connect(menu, &QMenu::hovered, this, &ApplicationHint::MenuItemHighlighted,
                Qt::UniqueConnection);
    else if (auto* menuBar = qobject_cast<QMenuBar*>(widget))
        connect(menuBar, &QMenuBar::hovered, this, &ApplicationHint::MenuItemHighlighted,
                Qt::UniqueConnection);
}

void ApplicationHint::MenuItemHighlighted(QAction* action) {
    SetHint(action != nullptr ? action->statusTip() : QString());
    hintOfMenu = true;
}

void ApplicationHint::ClearWhenNothingHighlighted(QMenuBar* menuBar) {
    QMetaObject::invokeMethod(
        this,
        [this, menuBar = QPointer<QMenuBar>(menuBar)] {
            const bool highlighted = menuBar != nullptr && menuBar->activeAction() != nullptr;
            if (hintOfMenu && !highlighted && QApplication::activePopupWidget() == nullptr)
                SetHint({});
        },
        Qt::QueuedConnection);
}

} // namespace kvarzel
