// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/canvas.h"

namespace kvarzel {

enum TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft
};

// Paints the rectangle in at most 256 bands from the start colour to the end colour. Bands are
// laid from the far edge (right or bottom), so for every direction but top-bottom and
// left-right the colours are exchanged first. The canvas keeps its brush afterwards.
void GradientFill(Canvas& canvas, const PixelRect& rect, TColor startColor, TColor endColor,
                  TGradientDirection direction);

} // namespace kvarzel
