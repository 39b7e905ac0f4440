// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

namespace kvarzel {

// What is known of a window's frame at one moment.
struct FrameSighting {
    QRect Frame;                 // title bar and borders included, as far as they are known
    bool Framed = false;         // a window manager has framed the window and told its frame
    bool PointerPressed = false; // a mouse button is held down: the user may be dragging
    // The window is on the screen. Before that, a manager may still hold the
    // requests that place and size it: the server then reports the window as
    // it was made, and that says nothing about where it will be shown.
    bool Mapped = true;
};

// Decides, sighting by sighting, where a window's frame must go so that it
// sits in the middle of the available screen area, from its first show until
// the window manager has framed it and it is centred. The manager's own
// placement and its reparenting may move the window meanwhile: those moves
// are undone. A move made while a mouse button is held down is the user's
// drag of the title bar: the window then stays where the user put it.
// Sightings of a window not yet on the screen are passed over, and a frame
// seen centred while a move to another place may still be on its way (the
// frame has changed since) is asked for once more before the watch ends.
class FrameCentring {
public:
    explicit FrameCentring(const QRect& available) : available_(available) {}

    // Where to move the frame's top-left corner after this sighting, if anywhere.
    std::optional<QPoint> Next(const FrameSighting& sighting);
    // Nothing more to do: centred in its final frame, or moved by the user.
    bool Finished() const { return finished_; }
    // The frame's top-left corner that centres a frame of this size.
    QPoint CentredPlace(const QSize& frame) const;

private:
    // A manager that keeps putting the window elsewhere wins in the end.
    static constexpr int MaxMoves = 8;

    QRect available_;
    std::optional<QPoint> requested_;
    int moves_ = 0;
    bool finished_ = false;
};

} // namespace kvarzel
