// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>

namespace kvarzel::testing {

MessageBoxCloser::MessageBoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Texts << box->text();
            Captions << box->windowTitle();
            box->accept();
        }
    });
    timer_.start(5);
}

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
