// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/pixel_masks.h"

namespace kvarzel {

// Lines that reach further than this in either direction are stroked by the painter each time.
constexpr int kLongestFootprint = 256;

// The pixels the painter covers when it strokes a solid, square-ended, aliased line `width`
// pixels wide from (0, 0) to (dx, dy). The stroke moved by whole pixels covers the
// same pixels moved alike, so each length and direction is stroked once and then copied.
// Nothing for a line longer than kLongestFootprint or wider than a few pixels. Valid until the
// next call.
const PixelMask* WideLineFootprint(int dx, int dy, int width);

} // namespace kvarzel
