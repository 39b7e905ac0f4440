// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_series.h"

#include "chart/custom_axis_panel.h"
#include "chart/custom_chart_axis.h"

namespace kvarzel {

void TCustomSeries::CalcMargins(int& left, int& top, int& right, int& bottom) const {
    TChartSeries::CalcMargins(left, top, right, bottom);
    if (pointer_.Visible() && pointer_.InflateMargins()) {
        left = right = pointer_.HorizSize() + 1;
        top = bottom = pointer_.VertSize() + 1;
    }
}

void TCustomSeries::BeginDrawValues() {
    previousX_ = previousY_ = 0;
    previousColor_ = clDefault;
    hasPrevious_ = false;
}

void TCustomSeries::DrawSegment(Canvas& canvas, int x, int y, TColor color) {
    if ((x == previousX_ && y == previousY_) || color == clNone)
        return;
    CanvasPen pen = linePen_.ToCanvasPen();
    pen.Color = color;
    canvas.SetPen(pen);
    canvas.SetBrush({clWhite, BrushStyle::Clear});
    canvas.Line(previousX_, previousY_, x, y);
}

void TCustomSeries::DrawPointer(Canvas& canvas, int x, int y, TColor color) {
    pointer_.Draw(canvas, x, y, color);
}

// The first point in view: the line comes in from the left edge at the height the segment
// from the point before has there.
void TCustomSeries::EnterFromLeftEdge(Canvas& canvas, int index, int x, int y, TColor color) {
    const TCustomChartAxis& horiz = *GetHorizAxis();
    const TCustomChartAxis& vert = *GetVertAxis();
    const int edge = ParentChart()->ChartRect().Left;
    const double x0 = XValues().Value(index - 1);
    const double x1 = XValues().Value(index);
    const double y0 = YValues().Value(index - 1);
    previousX_ = edge;
    if (x0 == x1) {
        previousY_ = vert.ValueToPixel(y0);
    } else {
        const long double edgeValue = horiz.PixelToValue(edge);
        const long double slope = (YValues().Value(index) - y0) / (x1 - x0);
        previousY_ = vert.ValueToPixel(static_cast<double>(y0 + (edgeValue - x0) * slope));
    }
    if (!IsNull(index - 1))
        DrawSegment(canvas, x, y, color);
}

void TCustomSeries::DrawValue(Canvas& canvas, int index) {
    const int x = CalcXPos(index);
    const int y = CalcYPos(index);
    const TColor color = IsNull(index) ? clNone : ValueColor(index);
    if (DrawablePixel(x, y)) {
        // After only points beyond the drawable range there is nothing to join: no line from
        // a made-up corner, no pointer for a point that had no place.
        if (!hasPrevious_)
            previousColor_ = clNone;
        if (previousColor_ == clNone) {
            previousX_ = x;
            previousY_ = y;
        }
        const bool last = index == LastValueIndex();
        if (index == FirstValueIndex()) {
            if (index > 0)
                EnterFromLeftEdge(canvas, index, x, y, color);
            // A null point shows nothing, not even a pointer in the marker's bogus colour.
            if (last && pointer_.Visible() && color != clNone)
                DrawPointer(canvas, x, y, color);
        } else {
            DrawSegment(canvas, x, y, color);
            if (pointer_.Visible()) {
                if (previousColor_ != clNone)
                    DrawPointer(canvas, previousX_, previousY_, previousColor_);
                if (last && color != clNone)
                    DrawPointer(canvas, x, y, color);
            }
        }
        previousX_ = x;
        previousY_ = y;
        hasPrevious_ = true;
    }
    previousColor_ = color;
}

TSeriesMarkPosition TCustomSeries::MarkPosition(int x, int y, int width, int height) const {
    TSeriesMarkPosition position = TChartSeries::MarkPosition(x, y, width, height);
    const int arrowLength = Marks().ArrowLength();
    position.ArrowToY -= arrowLength;
    position.Top -= arrowLength;
    return position;
}

} // namespace kvarzel
