// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_pen.h"

namespace kvarzel {

enum TSeriesPointerStyle { psRectangle, psCircle };

// The small figure drawn on every point of a series.
class TSeriesPointer {
public:
    explicit TSeriesPointer(ChartNotify* owner) : owner_(owner), pen_(owner), brush_(owner) {}

    TSeriesPointerStyle Style() const { return style_; }
    int HorizSize() const { return horizSize_; }
    int VertSize() const { return vertSize_; }
    bool InflateMargins() const { return inflateMargins_; }
    bool Visible() const { return visible_; }
    void SetStyle(TSeriesPointerStyle value) { ChangeSetting(style_, value, owner_); }
    // Fail with a ChartException below 1.
    void SetHorizSize(int value);
    void SetVertSize(int value);
    void SetInflateMargins(bool value) { ChangeSetting(inflateMargins_, value, owner_); }
    void SetVisible(bool value) { ChangeSetting(visible_, value, owner_); }
    TChartPen& Pen() { return pen_; }
    TChartBrush& Brush() { return brush_; }

    // The box of 2 * size centred on (x, y), right and bottom exclusive as it is drawn.
    PixelRect Box(int x, int y) const;
    // The figure in its box; the default colour takes `color`.
    void Draw(Canvas& canvas, int x, int y, TColor color) const;

private:
    ChartNotify* owner_;
    TSeriesPointerStyle style_ = psRectangle;
    int horizSize_ = 4;
    int vertSize_ = 4;
    bool inflateMargins_ = true;
    bool visible_ = true;
    TChartPen pen_;
    TChartBrush brush_;
};

} // namespace kvarzel
