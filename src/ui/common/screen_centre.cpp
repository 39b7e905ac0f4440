#include "ui/common/screen_centre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kvarzel {
namespace {

bool WindowsCanPlaceThemselves() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QPoint CentredFramePosition(const QRect& available, const QSize& frame) {
    return available.topLeft() + QPoint((available.width() - frame.width()) / 2,
                                        (available.height() - frame.height()) / 2);
}

// A window manager may frame a window without moving or resizing it: its
// first paint or activation is then the first sign of the frame.
bool MayShowFrame(QEvent::Type type) {
    return type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint ||
           type == QEvent::WindowActivate;
}

// Centres the window now and once more when its frame size first changes,
// if the window is still where it was put.
class FrameCentring : public QObject {
public:
    static constexpr auto Name = "FrameCentring";

    explicit FrameCentring(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(Name);
        window.installEventFilter(this);
        Centre();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && MayShowFrame(event->type()) &&
            window_.frameGeometry().size() != frameSize_) {
            window_.removeEventFilter(this);
            // Once the event is done, not from inside a paint. Once only: a
            // window moved meanwhile keeps its new place.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (StillWherePut())
                        Centre();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    // A window manager adding a frame keeps either the frame's corner or the
    // client area where they were.
    bool StillWherePut() const {
        return window_.frameGeometry().topLeft() == framePlace_ ||
               window_.geometry().topLeft() == clientPlace_;
    }

    void Centre() {
        const QScreen* screen = window_.screen();
        if (screen == nullptr)
            return;
        frameSize_ = window_.frameGeometry().size();
        window_.move(CentredFramePosition(screen->availableGeometry(), frameSize_));
        framePlace_ = window_.frameGeometry().topLeft();
        clientPlace_ = window_.geometry().topLeft();
    }

    QWidget& window_;
    QSize frameSize_;
    QPoint framePlace_;
    QPoint clientPlace_;
};

} // namespace

void CentreOnScreen(QWidget& window) {
    if (WindowsCanPlaceThemselves() &&
        window.findChild<QObject*>(FrameCentring::Name, Qt::FindDirectChildrenOnly) == nullptr)
        new FrameCentring(window);
}

} // namespace kvarzel
