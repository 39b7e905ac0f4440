// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/after_event.h"

#include <QEvent>
#include <QWidget>

namespace kvarzel {
namespace {

class EventWatch : public QObject {
public:
    EventWatch(QWidget& window, std::function<bool(const QEvent&)> when,
               std::function<void()> action)
        : QObject(&window), window_(window), when_(std::move(when)), action_(std::move(action)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && when_(*event)) {
            window_.removeEventFilter(this);
            // Queued: not from inside the event, a paint for one.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    action_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<bool(const QEvent&)> when_;
    std::function<void()> action_;
};

} // namespace

QObject* RunAfterEvent(QWidget& window, std::function<bool(const QEvent&)> when,
                       std::function<void()> action) {
    return new EventWatch(window, std::move(when), std::move(action));
}

void RunAfterFirstPaint(QWidget& window, std::function<void()> action) {
    // The window's controls are painted in the same pass, after the window.
    RunAfterEvent(
        window, [](const QEvent& event) { return event.type() == QEvent::Paint; },
        std::move(action));
}

} // namespace kvarzel
