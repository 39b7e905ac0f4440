// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/spoken_notice.h"

#include <QAccessibleWidget>

namespace kvarzel {
namespace {

QAccessibleInterface* NoticeAccessible(const QString&, QObject* object) {
    if (auto* notice = dynamic_cast<SpokenNotice*>(object))
        return new QAccessibleWidget(notice, QAccessible::Notification);
    return nullptr;
}

} // namespace

SpokenNotice::SpokenNotice(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(NoticeAccessible);
        return true;
    }();
    (void)factoryInstalled;
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void SpokenNotice::Announce(const QString& message) {
    setAccessibleName(message);
    // Appearing again is what makes a screen reader speak it.
    hide();
    show();
}

} // namespace kvarzel
