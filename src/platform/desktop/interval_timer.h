// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace kvarzel {

// A periodic timer with an interval in milliseconds and an enabled flag.
// It is created running at 1000 ms. Setting either property to the value it
// already holds leaves a running countdown alone; a new interval while
// enabled starts the countdown afresh; an interval of 0 never fires. Ticks
// come from the event loop, nested loops of modal dialogs included.
class IntervalTimer : public QObject {
    Q_OBJECT

public:
    explicit IntervalTimer(QObject* parent = nullptr);

    void SetInterval(int ms);
    int Interval() const { return interval; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled; }

signals:
    void OnTimer();

private:
    void UpdateTimer();

    QTimer timer;
    int interval = 1000;
    bool enabled = true;
};

} // namespace kvarzel
