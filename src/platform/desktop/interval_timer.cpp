// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/interval_timer.h"

#include <algorithm>

namespace kvarzel {

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent) {
    // Precise, so that a countdown is as long as asked and not up to 5 %
    // shorter, which a tight answer time would notice.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &IntervalTimer::OnTimer);
    UpdateTimer();
}

void IntervalTimer::SetInterval(int ms) {
    ms = std::max(ms, 0);
    if (ms == interval)
        return;
    interval = ms;
    UpdateTimer();
}

void IntervalTimer::SetEnabled(bool value) {
    if (value == enabled)
        return;
    enabled = value;
    UpdateTimer();
}

void IntervalTimer::UpdateTimer() {
    if (enabled && interval > 0)
        timer.start(interval);
    else
        timer.stop();
}

} // namespace kvarzel
