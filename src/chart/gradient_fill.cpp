// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/gradient_fill.h"

#include "chart/rounding.h"

#include <algorithm>
#include <utility>

namespace kvarzel {

namespace {

constexpr int kMaxBands = 256;

bool HorizontalBands(TGradientDirection direction) {
    return direction == gdLeftRight || direction == gdRightLeft;
}

TColor BandColor(TColor start, TColor end, int band, int bands) {
    const auto channel = [&](std::uint8_t from, std::uint8_t to) {
        return static_cast<std::uint8_t>(from + MulDiv(band, to - from, bands - 1));
    };
    if (bands <= 1)
        return start;
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}

// Band n covers the offsets [from, to) counted from the far edge.
PixelRect BandRect(const PixelRect& rect, bool horizontal, int from, int to) {
    if (horizontal)
        return {rect.Right - to, rect.Top, rect.Right - from, rect.Bottom};
    return {rect.Left, rect.Bottom - to, rect.Right, rect.Bottom - from};
}

} // namespace

void GradientFill(Canvas& canvas, const PixelRect& given, TColor startColor, TColor endColor,
                  TGradientDirection direction) {
    if (direction != gdTopBottom && direction != gdLeftRight)
        std::swap(startColor, endColor);
    const PixelRect rect{std::min(given.Left, given.Right), std::min(given.Top, given.Bottom),
                         std::max(given.Left, given.Right), std::max(given.Top, given.Bottom)};
    const bool horizontal = HorizontalBands(direction);
    const int extent = horizontal ? rect.Width() : rect.Height();
    if (extent <= 0)
        return;
    const int bands = std::min(extent, kMaxBands);
    const CanvasBrush savedBrush = canvas.Brush();
    for (int n = 0; n < bands; ++n) {
        const TColor color = BandColor(startColor, endColor, n, bands);
        if (n == 0 || canvas.Brush().Color != color)
            canvas.SetBrush({color, BrushStyle::Solid});
        const int from = static_cast<int>(MulDiv(n, extent, bands));
        const int to = static_cast<int>(MulDiv(n + 1, extent, bands));
        canvas.FillRect(BandRect(rect, horizontal, from, to));
    }
    canvas.SetBrush(savedBrush);
}

} // namespace kvarzel
