// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_pen.h"
#include "chart/chart_series.h"
#include "chart/series_pointer.h"

namespace kvarzel {

// A series drawn as straight segments between its points, with a pointer on every point.
class TCustomSeries : public TChartSeries {
public:
    TCustomSeries() : linePen_(this), pointer_(this) {}

    TChartPen& LinePen() { return linePen_; }
    TSeriesPointer& Pointer() { return pointer_; }

    void CalcMargins(int& left, int& top, int& right, int& bottom) const override;
    // A pointer, or the line from the point before, under the pixel.
    int Clicked(int x, int y) const override;

protected:
    void BeginDrawValues() override;
    void DrawValue(Canvas& canvas, int index) override;
    // Marks hang on arrows above their points.
    TSeriesMarkPosition MarkPosition(int x, int y, int width, int height) const override;

private:
    bool PointerClicked(int index, int x, int y) const;
    bool LineClicked(int index, int x, int y) const;
    void EnterFromLeftEdge(Canvas& canvas, int index, int x, int y, TColor color);
    void DrawSegment(Canvas& canvas, int x, int y, TColor color);
    void DrawPointer(Canvas& canvas, int x, int y, TColor color);

    TChartPen linePen_;
    TSeriesPointer pointer_;
    // The point drawn before, carried through one paint.
    int previousX_ = 0;
    int previousY_ = 0;
    TColor previousColor_ = clDefault;
    // False until a point of this paint has had a position to carry on from.
    bool hasPrevious_ = false;
};

class TLineSeries : public TCustomSeries {
public:
    TLineSeries() { Pointer().SetVisible(false); }
};

} // namespace kvarzel
