// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/wait_for.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

namespace kvarzel::testing {

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

} // namespace kvarzel::testing
