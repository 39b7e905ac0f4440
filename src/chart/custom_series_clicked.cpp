// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_series.h"

#include <algorithm>
#include <cstdint>

namespace kvarzel {

namespace {

// Whether (x, y) lies within `reach` pixels of the segment from (x1, y1) to (x2, y2).
bool NearSegment(int x, int y, int x1, int y1, int x2, int y2, int reach) {
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    const std::int64_t px = std::int64_t{x} - x1;
    const std::int64_t py = std::int64_t{y} - y1;
    const long double length2 =
        static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy;
    long double t = length2 > 0 ? (static_cast<long double>(px) * dx + py * dy) / length2 : 0;
    t = std::clamp<long double>(t, 0, 1);
    const long double ox = px - t * dx;
    const long double oy = py - t * dy;
    return ox * ox + oy * oy <= static_cast<long double>(reach) * reach;
}

} // namespace

bool TCustomSeries::PointerClicked(int index, int x, int y) const {
    if (!pointer_.Visible())
        return false;
    return pointer_.Box(CalcXPos(index), CalcYPos(index)).Contains(x, y);
}

bool TCustomSeries::LineClicked(int index, int x, int y) const {
    if (IsNull(index) || IsNull(index - 1) || !linePen_.Visible())
        return false;
    // Half the line's width on either side, and a pixel more so a thin line can be hit at all.
    const int reach = linePen_.Width() / 2 + 1;
    return NearSegment(x, y, CalcXPos(index - 1), CalcYPos(index - 1), CalcXPos(index),
                       CalcYPos(index), reach);
}

int TCustomSeries::Clicked(int x, int y) const {
    if (!ParentChart() || FirstValueIndex() < 0)
        return -1;
    for (int index = FirstValueIndex(); index <= LastValueIndex(); ++index) {
        if (!IsNull(index) && PointerClicked(index, x, y))
            return index;
        if (index > FirstValueIndex() && LineClicked(index, x, y))
            return index;
    }
    return -1;
}

} // namespace kvarzel
