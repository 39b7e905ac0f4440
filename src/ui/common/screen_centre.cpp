#include "ui/common/screen_centre.h"

#include "ui/common/after_event.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <memory>

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

// Where a window was put, and with what frame.
struct Placement {
    QSize FrameSize;
    QPoint FramePlace;
    QPoint ClientPlace;
};

void Centre(QWidget& window, Placement& placed) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    placed.FrameSize = window.frameGeometry().size();
    window.move(CentredFramePosition(screen->availableGeometry(), placed.FrameSize));
    placed.FramePlace = window.frameGeometry().topLeft();
    placed.ClientPlace = window.geometry().topLeft();
}

// A window manager adding a frame keeps either the frame's corner or the
// client area where they were.
bool StillWherePut(const QWidget& window, const Placement& placed) {
    return window.frameGeometry().topLeft() == placed.FramePlace ||
           window.geometry().topLeft() == placed.ClientPlace;
}

constexpr auto FrameWatchName = "FrameCentring";

} // namespace

// Centres the window now and once more when its frame size first changes,
// if the window is still where it was put: once only, so that a window moved
// meanwhile keeps its new place.
void CentreOnScreen(QWidget& window) {
    if (!WindowsCanPlaceThemselves() ||
        window.findChild<QObject*>(FrameWatchName, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    const auto placed = std::make_shared<Placement>();
    QObject* watch = RunAfterEvent(
        window,
        [&window, placed](const QEvent& event) {
            return MayShowFrame(event.type()) && window.frameGeometry().size() != placed->FrameSize;
        },
        [&window, placed] {
            if (StillWherePut(window, *placed))
                Centre(window, *placed);
        });
    watch->setObjectName(FrameWatchName);
    Centre(window, *placed);
}

} // namespace kvarzel
