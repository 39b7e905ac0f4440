// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kvarzel {

// A rectangle as the drawing code uses it: right and bottom are the first pixels outside.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return Left <= x && x < Right && Top <= y && y < Bottom; }
    bool operator==(const PixelRect&) const = default;
};

// The overlap of two rectangles; empty when they do not meet.
std::optional<PixelRect> IntersectRects(const PixelRect& a, const PixelRect& b);

} // namespace kvarzel
