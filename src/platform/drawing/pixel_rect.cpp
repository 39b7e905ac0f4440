// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/pixel_rect.h"

#include <algorithm>

namespace kvarzel {

std::optional<PixelRect> IntersectRects(const PixelRect& a, const PixelRect& b) {
    const PixelRect overlap{std::max(a.Left, b.Left), std::max(a.Top, b.Top),
                            std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (overlap.IsEmpty())
        return std::nullopt;
    return overlap;
}

} // namespace kvarzel
