// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the start-up probes: the process ends as soon as its first window has been
// painted, so that what it has spent by then is the start-up cost and nothing more.
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <cstdlib>

namespace {

class FirstPaintExit final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (!painted_ && event->type() == QEvent::Paint && target->isWidgetType() &&
            static_cast<QWidget*>(target)->isWindow()) {
            painted_ = true;
            // Queued: the window's controls are painted in the same pass, after the window.
            QMetaObject::invokeMethod(
                this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool painted_ = false;
};

void WatchForFirstPaint() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new FirstPaintExit(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForFirstPaint)
