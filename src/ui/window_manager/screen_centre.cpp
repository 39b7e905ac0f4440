// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/screen_centre.h"

#include "platform/desktop/x11_window_frame.h"
#include "ui/window_manager/frame_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace kvarzel {
namespace {

using namespace std::chrono_literals;

// A manager that offers to tell the frame answers at once; this is only for
// one that has stopped answering.
constexpr auto FramePatience = 300ms;

constexpr auto FrameWatchName = "FrameCentring";

// A manager that is still starting can leave requests unanswered until some
// later event reaches it (openbox reads the ones that come during its start
// into a queue of its own and then waits on its connection alone), which may
// be never. No manager tells when it has finished starting, so while the
// window is not yet shown, or not yet where it was asked to go, it is looked
// at again, less and less often, and the request is made again: about
// fifteen seconds in all.
constexpr auto FirstLookAgain = 100ms;
constexpr auto LongestLookAgain = 1600ms;
constexpr int MostLooksAgain = 12;

bool WindowsCanPlaceThemselves() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The X server counts in device pixels, the toolkit in logical ones.
qreal PixelsPerPoint(const QWidget& window, bool onX11) {
    return onX11 ? window.devicePixelRatioF() : 1.0;
}

QRect AvailableArea(const QWidget& window, qreal scale) {
    const QRect area = window.screen()->availableGeometry();
    return {(QPointF(area.topLeft()) * scale).toPoint(), (QSizeF(area.size()) * scale).toSize()};
}

// A window manager may frame a window without moving or resizing it: its
// first paint or activation is then the first sign of the frame.
bool MayShowFrame(QEvent::Type type) {
    return type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint ||
           type == QEvent::WindowActivate;
}

// Watches the window from its first show until its frame is centred, seeing
// the frame as the X server has it on X11 and as the toolkit has it elsewhere.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget& window, const QRect& available)
        : QObject(&window), window_(window), centring_(available), onX11_(RunsOnX11()) {
        setObjectName(FrameWatchName);
        if (onX11_)
            x11Changes_ =
                std::make_unique<X11WindowChanges>(window.winId(), [this] { Schedule(); });
        else
            window.installEventFilter(this);
        lookAgain_.setSingleShot(true);
        connect(&lookAgain_, &QTimer::timeout, this, [this] { Check(); });
    }

    // The first place, before the window is mapped.
    void PlaceBeforeMapping() {
        if (!onX11_) {
            window_.move(centring_.CentredPlace(window_.frameGeometry().size()));
            return;
        }
        const QMargins frame =
            RequestX11FrameExtents(window_.winId(), FramePatience).value_or(QMargins());
        const qreal scale = PixelsPerPoint(window_, true);
        const QSize client = (QSizeF(window_.size()) * scale).toSize();
        const QPoint place =
            centring_.CentredPlace(client.grownBy(frame)) + QPoint(frame.left(), frame.top());
        window_.setGeometry(QRect((QPointF(place) / scale).toPoint(), window_.size()));
        LookAgainLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && MayShowFrame(event->type()))
            Schedule();
        return false;
    }

private:
    // Several changes come together: one look at the window after them all.
    void Schedule() {
        if (scheduled_)
            return;
        scheduled_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Check(); }, Qt::QueuedConnection);
    }

    void Check() {
        scheduled_ = false;
        const FrameSighting sighting = onX11_ ? SightX11() : SightToolkit();
        if (const auto place = centring_.Next(sighting)) {
            onX11_ ? MoveX11(*place, sighting) : window_.move(*place);
            if (onX11_)
                LookAgainLater();
        } else if (onX11_ && !sighting.Mapped) {
            MapAgain();
        }
        if (centring_.Finished()) {
            lookAgain_.stop();
            x11Changes_.reset();
            window_.removeEventFilter(this);
            deleteLater();
        }
    }

    // The program shows the window, yet the server does not, and no manager
    // has taken it (one that has may keep it minimised).
    void MapAgain() {
        const WId id = window_.winId();
        if (!MayLookAgain() || !window_.isVisible() || X11WindowManaged(id))
            return;
        RequestX11Map(id);
        LookAgainLater();
    }

    bool MayLookAgain() const { return looksAgain_ < MostLooksAgain && !lookAgain_.isActive(); }

    void LookAgainLater() {
        if (!MayLookAgain())
            return;
        lookAgain_.start(std::min(FirstLookAgain * (1 << looksAgain_), LongestLookAgain));
        ++looksAgain_;
    }

    FrameSighting SightToolkit() const {
        return {window_.frameGeometry(), window_.frameGeometry() != window_.geometry(),
                QGuiApplication::mouseButtons() != Qt::NoButton};
    }

    FrameSighting SightX11() {
        const QRect client = X11ClientRect(window_.winId()).value_or(QRect());
        extents_ = X11FrameExtents(window_.winId());
        return {client.marginsAdded(extents_.value_or(QMargins())), extents_.has_value(),
                X11PointerPressed(), X11WindowShown(window_.winId())};
    }

    void MoveX11(const QPoint& frameCorner, const FrameSighting& sighting) {
        const QMargins frame = extents_.value_or(QMargins());
        MoveX11Window(window_.winId(), frameCorner + QPoint(frame.left(), frame.top()),
                      sighting.Framed);
    }

    QWidget& window_;
    FrameCentring centring_;
    const bool onX11_;
    std::unique_ptr<X11WindowChanges> x11Changes_;
    std::optional<QMargins> extents_;
    bool scheduled_ = false;
    QTimer lookAgain_;
    int looksAgain_ = 0;
};

} // namespace

void CentreOnScreen(QWidget& window) {
    if (!WindowsCanPlaceThemselves() || window.screen() == nullptr ||
        window.findChild<QObject*>(FrameWatchName, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    const qreal scale = PixelsPerPoint(window, RunsOnX11());
    auto* watch = new FrameWatch(window, AvailableArea(window, scale));
    watch->PlaceBeforeMapping();
}

} // namespace kvarzel
