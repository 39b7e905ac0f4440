// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_gradient.h"

namespace kvarzel {

void TChartGradient::Assign(const TChartGradient& other) {
    SetVisible(other.Visible());
    SetDirection(other.Direction());
    SetStartColor(other.StartColor());
    SetEndColor(other.EndColor());
}

void TChartGradient::Draw(Canvas& canvas, const PixelRect& rect) const {
    if (direction_ == gdTopBottom || direction_ == gdLeftRight)
        GradientFill(canvas, rect, startColor_, endColor_, direction_);
    else
        GradientFill(canvas, rect, endColor_, startColor_, direction_);
}

} // namespace kvarzel
