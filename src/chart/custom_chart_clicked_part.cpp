// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart.h"

namespace kvarzel {

ClickedPart TCustomChart::CalcClickedPart(int x, int y) {
    for (int index = SeriesCount() - 1; index >= 0; --index) {
        const TChartSeries& series = Series(index);
        if (series.Active() && series.Clicked(x, y) >= 0)
            return ClickedPart::Series;
    }
    for (const TCustomChartAxis* axis : AxisList())
        if (IsAxisDrawn(*axis) && axis->Clicked(x, y))
            return ClickedPart::Axis;
    if (Title().Clicked(x, y))
        return ClickedPart::Title;
    if (Foot().Clicked(x, y))
        return ClickedPart::Foot;
    if (AnyActiveSeries() && ChartRect().Contains(x, y))
        return ClickedPart::ChartRect;
    // The legend is never drawn, so nothing can lie on it.
    return ClickedPart::None;
}

} // namespace kvarzel
