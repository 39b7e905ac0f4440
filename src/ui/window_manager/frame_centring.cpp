// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/frame_centring.h"

namespace kvarzel {

QPoint FrameCentring::CentredPlace(const QSize& frame) const {
    return available_.topLeft() + QPoint((available_.width() - frame.width()) / 2,
                                         (available_.height() - frame.height()) / 2);
}

std::optional<QPoint> FrameCentring::Next(const FrameSighting& sighting) {
    if (finished_ || !sighting.Mapped)
        return std::nullopt;
    const QPoint place = sighting.Frame.topLeft();
    if (sighting.PointerPressed && place != requested_) {
        finished_ = true;
        return std::nullopt;
    }
    const QPoint centred = CentredPlace(sighting.Frame.size());
    if (place == centred && requested_.value_or(centred) == centred) {
        // Unframed, the window may yet be framed by a manager that starts later.
        finished_ = sighting.Framed;
        return std::nullopt;
    }
    if (moves_ == MaxMoves) {
        finished_ = true;
        return std::nullopt;
    }
    ++moves_;
    requested_ = centred;
    return centred;
}

} // namespace kvarzel
