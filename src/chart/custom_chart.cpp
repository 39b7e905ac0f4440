// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart.h"

namespace kvarzel {

TCustomChart::TCustomChart(QWidget* parent)
    : TCustomAxisPanel(parent), backWall_(this), title_(this), foot_(this), legend_(this) {
    // Moves with no button held matter too: they put the cursor back, and they show that a
    // release went elsewhere (to a modal window) while a drag was on.
    setMouseTracking(true);
}

void TCustomChart::DrawInnerChart(Canvas& canvas) {
    DrawPanelBackground(canvas);
    DrawPanelBevels(canvas);
    DrawTitles(canvas);
    CalcAxisLayout(canvas);
    ApplySeriesMargins();
    DrawBackWall(canvas);
    DrawAxes(canvas);
    DrawAllSeries(canvas);
    if (Zoom.Active)
        DrawZoomRectangle(canvas);
}

void TCustomChart::DrawTitles(Canvas& canvas) {
    PixelRect rect = ChartRect();
    title_.DrawAndTakeRoom(canvas, rect, false);
    foot_.DrawAndTakeRoom(canvas, rect, true);
    SetChartRect(rect);
}

void TCustomChart::DrawBackWall(Canvas& canvas) {
    const CanvasPen outline = backWall_.Pen().ToCanvasPen();
    const TChartBrush& brush = backWall_.Brush();
    const bool filled = brush.Style() != BrushStyle::Clear && backWall_.Color() != clDefault;
    if (outline.Style == PenStyle::Clear && !filled)
        return;
    canvas.SetPen(outline);
    canvas.SetBrush({backWall_.Color(), filled ? brush.Style() : BrushStyle::Clear});
    const PixelRect& rect = ChartRect();
    // One pixel wider and taller, so that the outline lies on all four edges of the rectangle.
    canvas.Rectangle({rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1});
}

void TCustomChart::DrawZoomRectangle(Canvas& canvas) const {
    const TColor color = Color() == clWhite ? clBlack : Color();
    canvas.SetPen({color, PenStyle::Solid, 1, PenMode::NotXor});
    canvas.SetBrush({clWhite, BrushStyle::Clear});
    canvas.Rectangle({Zoom.X0, Zoom.Y0, Zoom.X1, Zoom.Y1});
    canvas.SetPen({color, PenStyle::Solid, 1, PenMode::Copy});
}

} // namespace kvarzel
