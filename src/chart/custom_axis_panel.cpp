// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_axis_panel.h"

#include <algorithm>
#include <limits>

namespace kvarzel {

TCustomAxisPanel::TCustomAxisPanel(QWidget* parent)
    : GradientPanel(parent), bottomAxis_(std::make_unique<TChartAxis>(this, true, false)),
      topAxis_(std::make_unique<TChartAxis>(this, true, true)),
      leftAxis_(std::make_unique<TChartAxis>(this, false, false)),
      rightAxis_(std::make_unique<TChartAxis>(this, false, true)),
      depthAxis_(std::make_unique<TChartDepthAxis>(this)), axisList_{
                                                               bottomAxis_.get(), topAxis_.get(),
                                                               leftAxis_.get(), rightAxis_.get(),
                                                               depthAxis_.get()} {}

TCustomAxisPanel::~TCustomAxisPanel() = default;

bool TCustomAxisPanel::AnyActiveSeries() const {
    return std::any_of(seriesList_.begin(), seriesList_.end(),
                       [](const auto& series) { return series->Active(); });
}

bool TCustomAxisPanel::HasActiveSeriesOn(const TCustomChartAxis& axis) const {
    return std::any_of(seriesList_.begin(), seriesList_.end(), [&](const auto& series) {
        return series->Active() && series->AssociatedToAxis(axis);
    });
}

bool TCustomAxisPanel::IsAxisDrawn(const TCustomChartAxis& axis) const {
    return axisVisible_ && axis.Visible() && (!AnyActiveSeries() || HasActiveSeriesOn(axis));
}

void TCustomAxisPanel::SeriesExtremes(const TCustomChartAxis& axis, double& min,
                                      double& max) const {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const auto& series : seriesList_) {
        if (!series->Active() || series->Count() == 0)
            continue;
        const TChartValueList* values = nullptr;
        if (series->GetHorizAxis() == &axis)
            values = &series->XValues();
        else if (series->GetVertAxis() == &axis)
            values = &series->YValues();
        if (!values)
            continue;
        low = std::min(low, values->MinValue());
        high = std::max(high, values->MaxValue());
    }
    min = low <= high ? low : 0;
    max = low <= high ? high : 0;
}

void TCustomAxisPanel::CalcAxisLayout(Canvas& canvas) {
    for (TCustomChartAxis* axis : axisList_)
        axis->CalcEffectiveRange();
    NormalizeChartRect();
    PixelRect chart = ChartRect();
    for (TCustomChartAxis* axis : axisList_) {
        if (!IsAxisDrawn(*axis))
            continue;
        PixelRect remaining = chart;
        axis->CalcRoom(canvas, remaining);
        // An axis that would leave no room is ignored rather than turning the chart inside out.
        if (const auto overlap = IntersectRects(remaining, chart))
            chart = *overlap;
    }
    SetChartRect(chart);
    for (TCustomChartAxis* axis : axisList_)
        axis->CalcPixelExtent(ChartRect());
}

void TCustomAxisPanel::ApplySeriesMargins() {
    // Per axis: pixels wanted below its low end and above its high end.
    const auto widen = [&](TCustomChartAxis& axis) {
        int low = 0;
        int high = 0;
        for (const auto& series : seriesList_) {
            if (!series->Active() || !series->AssociatedToAxis(axis))
                continue;
            int left = 0, top = 0, right = 0, bottom = 0;
            series->CalcMargins(left, top, right, bottom);
            low = std::max(low, axis.Horizontal() ? left : bottom);
            high = std::max(high, axis.Horizontal() ? right : top);
        }
        axis.WidenForMargins(low, high);
    };
    widen(*topAxis_);
    widen(*leftAxis_);
    widen(*rightAxis_);
    widen(*bottomAxis_);
}

void TCustomAxisPanel::DrawAxes(Canvas& canvas) {
    if (!axisVisible_)
        return;
    for (TCustomChartAxis* axis : axisList_)
        if (IsAxisDrawn(*axis))
            axis->Draw(canvas);
}

void TCustomAxisPanel::DrawAllSeries(Canvas& canvas) {
    for (const auto& series : seriesList_)
        if (series->Active())
            series->DrawSeries(canvas);
}

} // namespace kvarzel
