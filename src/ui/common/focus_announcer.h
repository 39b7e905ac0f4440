// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace kvarzel {

// Tells a screen reader a short message without moving the focus and without
// changing what the window shows. Screen readers speak a new description of
// the focused control at once, while they keep quiet about changes of other
// controls; so the message becomes the description of the window's focused
// control (or of the window, when nothing in it has the focus), and the control
// gets its own description back once the focus has left it.
class FocusAnnouncer : public QObject {
public:
    explicit FocusAnnouncer(QWidget& window);

    void Announce(const QString& message);
    // The control that carries the last message, if it still does.
    QWidget* Carrier() const { return carrier_; }

private:
    void FocusChanged(QWidget* old);
    void GiveBackDescription();

    QWidget& window_;
    QPointer<QWidget> carrier_;
    QString ownDescription_;
};

} // namespace kvarzel
