// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_pen.h"

namespace kvarzel {

// A wall of the chart rectangle; in the flat view only the back wall, behind the series.
class TChartWall {
public:
    explicit TChartWall(ChartNotify* owner)
        : owner_(owner), pen_(owner), brush_(owner, clDefault, BrushStyle::Clear) {}

    TChartPen& Pen() { return pen_; }
    TChartBrush& Brush() { return brush_; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { ChangeSetting(color_, value, owner_); }

private:
    ChartNotify* owner_;
    TChartPen pen_;
    TChartBrush brush_;
    TColor color_ = clDefault;
};

} // namespace kvarzel
