// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_notify.h"
#include "chart/gradient_fill.h"

namespace kvarzel {

// The panel's background gradient settings.
class TChartGradient {
public:
    explicit TChartGradient(ChartNotify* owner) : owner_(owner) {}

    bool Visible() const { return visible_; }
    TGradientDirection Direction() const { return direction_; }
    TColor StartColor() const { return startColor_; }
    TColor EndColor() const { return endColor_; }
    void SetVisible(bool value) { ChangeSetting(visible_, value, owner_); }
    void SetDirection(TGradientDirection value) { ChangeSetting(direction_, value, owner_); }
    void SetStartColor(TColor value) { ChangeSetting(startColor_, value, owner_); }
    void SetEndColor(TColor value) { ChangeSetting(endColor_, value, owner_); }
    void Assign(const TChartGradient& other);

    // Fills the panel's background; the colours go to the canvas so that the fill always runs
    // from StartColor to EndColor whatever the direction.
    void Draw(Canvas& canvas, const PixelRect& rect) const;

private:
    ChartNotify* owner_;
    bool visible_ = false;
    TGradientDirection direction_ = gdTopBottom;
    TColor startColor_ = clWhite;
    TColor endColor_ = clYellow;
};

} // namespace kvarzel
