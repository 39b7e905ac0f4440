// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart.h"
#include "chart/custom_series.h"

namespace kvarzel {

// The results chart: silver panel, fixed axes 0..100 and 0..0, hidden top and right axes, and
// its one line series (dark green, circle pointers, green value marks on arrows), returned.
TLineSeries& ConfigureIntuitionChart(TChart& chart);

// The ratio preview: a black-to-white strip with no axes and no series.
void ConfigureRatioChart(TChart& chart);

} // namespace kvarzel
