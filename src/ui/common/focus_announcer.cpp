// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/focus_announcer.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

namespace kvarzel {

FocusAnnouncer::FocusAnnouncer(QWidget& window) : QObject(&window), window_(window) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget*) { FocusChanged(old); });
}

void FocusAnnouncer::Announce(const QString& message) {
    QWidget* focused = window_.focusWidget();
    QWidget* target = focused ? focused : &window_;
    if (target != carrier_) {
        GiveBackDescription();
        carrier_ = target;
        ownDescription_ = target->accessibleDescription();
    }
    if (target->accessibleDescription() != message) {
        target->setAccessibleDescription(message); // tells of the change by itself
        return;
    }
    // The same message again is news all the same.
    QAccessibleEvent event(target, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// Given back only after the focus has moved on, so that a screen reader, which
// learns of the new focus first, does not read the old description out.
void FocusAnnouncer::FocusChanged(QWidget* old) {
    if (old == nullptr || old != carrier_)
        return;
    const QPointer<QWidget> leaving(old);
    QMetaObject::invokeMethod(
        this,
        [this, leaving] {
            if (leaving && leaving == carrier_ && !leaving->hasFocus())
                GiveBackDescription();
        },
        Qt::QueuedConnection);
}

void FocusAnnouncer::GiveBackDescription() {
    if (carrier_)
        carrier_->setAccessibleDescription(ownDescription_);
    carrier_ = nullptr;
    ownDescription_.clear();
}

} // namespace kvarzel
