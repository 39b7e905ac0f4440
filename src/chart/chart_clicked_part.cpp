// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart.h"

namespace kvarzel {

TChartClickedPartStyle TCustomChart::CalcClickedPart(int x, int y) {
    for (int index = SeriesCount() - 1; index >= 0; --index) {
        const TChartSeries& series = Series(index);
        if (series.Active() && series.Clicked(x, y) >= 0)
            return cpSeries;
    }
    for (const TCustomChartAxis* axis : AxisList())
        if (IsAxisDrawn(*axis) && axis->Clicked(x, y))
            return cpAxis;
    if (Title().Clicked(x, y))
        return cpTitle;
    if (Foot().Clicked(x, y))
        return cpFoot;
    if (AnyActiveSeries() && ChartRect().Contains(x, y))
        return cpChartRect;
    // The legend is never drawn, so nothing can lie on it.
    return cpNone;
}

} // namespace kvarzel
