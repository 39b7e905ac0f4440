// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_series.h"
#include "chart/custom_chart_axis.h"
#include "chart/gradient_panel.h"

#include <memory>
#include <vector>

namespace kvarzel {

// The panel with its five axes and its series: lays the axes out around the chart rectangle
// and draws them and the series.
class TCustomAxisPanel : public GradientPanel {
public:
    explicit TCustomAxisPanel(QWidget* parent = nullptr);
    ~TCustomAxisPanel() override;

    TChartAxis& BottomAxis() { return *bottomAxis_; }
    TChartAxis& TopAxis() { return *topAxis_; }
    TChartAxis& LeftAxis() { return *leftAxis_; }
    TChartAxis& RightAxis() { return *rightAxis_; }
    TChartDepthAxis& DepthAxis() { return *depthAxis_; }
    // Bottom, top, left, right, depth: the order of layout and drawing.
    const std::vector<TCustomChartAxis*>& AxisList() const { return axisList_; }

    bool AxisVisible() const { return axisVisible_; }
    bool ClipPoints() const { return clipPoints_; }
    void SetAxisVisible(bool value) { ChangeSetting(axisVisible_, value, this); }
    void SetClipPoints(bool value) { ChangeSetting(clipPoints_, value, this); }

    // The chart owns the series; they are drawn in the order they were added.
    template <class Series> Series& AddSeries(std::unique_ptr<Series> series) {
        Series& added = *series;
        seriesList_.push_back(std::move(series));
        added.SetParentChart(this);
        return added;
    }
    int SeriesCount() const { return static_cast<int>(seriesList_.size()); }
    TChartSeries& Series(int index) { return *seriesList_[index]; }

    // Drawn: axes shown, this axis visible, and carrying an active series unless none is active.
    bool IsAxisDrawn(const TCustomChartAxis& axis) const;
    bool HasActiveSeriesOn(const TCustomChartAxis& axis) const;
    bool AnyActiveSeries() const;
    // The extremes of the active series' values along the axis; both 0 without data.
    void SeriesExtremes(const TCustomChartAxis& axis, double& min, double& max) const;

protected:
    void CalcAxisLayout(Canvas& canvas);
    void ApplySeriesMargins();
    void DrawAxes(Canvas& canvas);
    void DrawAllSeries(Canvas& canvas);

private:
    std::unique_ptr<TChartAxis> bottomAxis_;
    std::unique_ptr<TChartAxis> topAxis_;
    std::unique_ptr<TChartAxis> leftAxis_;
    std::unique_ptr<TChartAxis> rightAxis_;
    std::unique_ptr<TChartDepthAxis> depthAxis_;
    std::vector<TCustomChartAxis*> axisList_;
    std::vector<std::unique_ptr<TChartSeries>> seriesList_;
    bool axisVisible_ = true;
    bool clipPoints_ = true;
};

} // namespace kvarzel
