// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/read_only_focus.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace kvarzel {
namespace {

bool SelectsOnFocus(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

// Hands the field its focus as if given by the program, which selects nothing.
class UnselectedFocus : public QObject {
public:
    explicit UnselectedFocus(QLineEdit& field) : QObject(&field) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn ||
            !SelectsOnFocus(static_cast<QFocusEvent*>(event)->reason()))
            return false;
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

} // namespace

void KeepTextUnselectedOnTab(QLineEdit& field) {
    field.installEventFilter(new UnselectedFocus(field));
}

} // namespace kvarzel
