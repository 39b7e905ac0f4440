// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_notify.h"
#include "chart/chart_value_list.h"
#include "chart/formatted_values.h"
#include "chart/series_marks.h"

#include <QString>

#include <vector>

namespace kvarzel {

class TCustomAxisPanel;
class TCustomChartAxis;

// A series of points with their colours and labels, the range of them in view, and their marks.
class TChartSeries : public ChartNotify {
public:
    TChartSeries();
    virtual ~TChartSeries() = default;
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    TCustomAxisPanel* ParentChart() const { return chart_; }
    // Attaches the series to a chart and to its bottom and left axes.
    void SetParentChart(TCustomAxisPanel* chart);
    TCustomChartAxis* GetHorizAxis() const { return horizAxis_; }
    TCustomChartAxis* GetVertAxis() const { return vertAxis_; }
    bool AssociatedToAxis(const TCustomChartAxis& axis) const {
        return &axis == horizAxis_ || &axis == vertAxis_;
    }

    bool Active() const { return active_; }
    void SetActive(bool value) { ChangeSetting(active_, value, this); }
    TColor SeriesColor() const { return seriesColor_; }
    void SetSeriesColor(TColor value) { ChangeSetting(seriesColor_, value, this); }
    const QString& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const QString& value) { ChangeSetting(valueFormat_, value, this); }
    TSeriesMarks& Marks() { return marks_; }
    const TSeriesMarks& Marks() const { return marks_; }

    TChartValueList& XValues() { return xValues_; }
    TChartValueList& YValues() { return yValues_; }
    const TChartValueList& XValues() const { return xValues_; }
    const TChartValueList& YValues() const { return yValues_; }
    int Count() const { return xValues_.Count(); }
    // Inserts the point where its X belongs by the X order; returns its index.
    int AddPoint(double x, double y, const QString& label = {}, TColor color = clDefault);
    // Removes every point.
    void Clear();
    // The point's own colour, or the series colour for the default marker.
    TColor ValueColor(int index) const;
    const QString& Label(int index) const { return labels_[index]; }
    bool IsNull(int index) const { return colors_[index] == clNone; }
    // The text of the point's mark: its label, or its value in the value format.
    QString MarkText(int index) const;

    int FirstValueIndex() const { return first_; }
    int LastValueIndex() const { return last_; }
    // F: the first point at or right of the chart's left edge; L: the last point, or the
    // first one at or beyond the right edge so that the line leading to it is drawn.
    void CalcFirstLastVisibleIndex();

    // Pixels the series needs beyond its extreme points on each side.
    virtual void CalcMargins(int& left, int& top, int& right, int& bottom) const;
    // Values (clipped) and then marks, for the points in view.
    void DrawSeries(Canvas& canvas);
    // The index of the point in view (or of the end of the line) under the pixel, by the
    // positions of the last paint; -1 for none.
    virtual int Clicked(int, int) const { return -1; }

    void Invalidate() override;

protected:
    virtual void BeginDrawValues() {}
    virtual void DrawValue(Canvas&, int) {}
    virtual TSeriesMarkPosition MarkPosition(int x, int y, int width, int height) const;
    // Positions the drawing system can take; points elsewhere are skipped for the paint.
    static bool DrawablePixel(int x, int y);
    int CalcXPos(int index) const;
    int CalcYPos(int index) const;
    // The chart rectangle less one pixel at its left, top and bottom.
    PixelRect SeriesClipRect() const;

private:
    void DrawValues(Canvas& canvas);
    void DrawMarks(Canvas& canvas);
    // `letter` is the extent of a "W" in the marks' font, which the canvas has selected.
    void DrawMark(Canvas& canvas, int index, const QString& text, TextExtent letter);
    void ClipIfAsked(Canvas& canvas, bool clip) const;

    TCustomAxisPanel* chart_ = nullptr;
    TCustomChartAxis* horizAxis_ = nullptr;
    TCustomChartAxis* vertAxis_ = nullptr;
    bool active_ = true;
    TColor seriesColor_ = clRed;
    QString valueFormat_ = QStringLiteral("#,##0.###");
    TSeriesMarks marks_;
    TChartValueList xValues_;
    TChartValueList yValues_;
    std::vector<TColor> colors_;
    std::vector<QString> labels_;
    mutable FormattedValues markTexts_;
    int first_ = -1;
    int last_ = -1;
};

} // namespace kvarzel
