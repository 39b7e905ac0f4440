// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/message_box_closer.h"

#include <QApplication>
#include <QMessageBox>

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

} // namespace kvarzel::testing
