// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QWindow>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace kvarzel {

// The X11 side of placing a window by its frame, and of bringing it to the
// front. Coordinates are the X server's pixels; all of it does nothing, or
// nothing is known, where the application does not run on X11.

bool RunsOnX11();

// Asks the window manager, before the window is mapped, which frame it will
// give the window, and waits for the answer at most `patience`. Nothing when
// no running manager offers the request.
std::optional<QMargins> RequestX11FrameExtents(WId window, std::chrono::milliseconds patience);

// The frame the manager has given the window; nothing while it has none.
std::optional<QMargins> X11FrameExtents(WId window);

// The client area as the X server has it now, on the root window.
std::optional<QRect> X11ClientRect(WId window);

// A mouse button is held down anywhere on the screen.
bool X11PointerPressed();

// The X server shows the window: it and every window around it are mapped.
bool X11WindowShown(WId window);

// A window manager has taken the window (it gave it a WM_STATE), whether it
// shows the window or keeps it hidden.
bool X11WindowManaged(WId window);

// Asks once more for the window to be mapped: under a window manager, a new
// map request to the manager.
void RequestX11Map(WId window);

// The name the running window manager gives itself ("Openbox", say); empty
// when none has announced itself.
QString X11ManagerName();

// Replaces the window's types (_NET_WM_WINDOW_TYPE_...), most wanted first,
// as the manager reads them when it maps the window.
void SetX11WindowTypes(WId window, const std::vector<const char*>& types);

// Moves the window so that its client area's corner comes to `clientPlace`:
// through the manager when it has framed the window, else directly.
void MoveX11Window(WId window, const QPoint& clientPlace, bool framed);

// Asks the window manager to show the window in front and give it the focus,
// taking it out of its minimised state, as for an action of the user at
// `userTime` (the server's time; 0 for now).
void ActivateX11Window(WId window, std::uint32_t userTime);

// Calls `changed` whenever the X server reports that the window was mapped,
// reparented, moved, resized or given a frame.
class X11WindowChanges : public QAbstractNativeEventFilter {
public:
    X11WindowChanges(WId window, std::function<void()> changed);
    ~X11WindowChanges() override;
    X11WindowChanges(const X11WindowChanges&) = delete;
    X11WindowChanges& operator=(const X11WindowChanges&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    WId window_;
    std::uint32_t frameExtentsAtom_;
    std::function<void()> changed_;
};

} // namespace kvarzel
