// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_presets.h"
#include "screenshot_registry.h"

namespace {

using kvarzel::TChart;

const kvarzel::screenshots::Register intuitionShot{
    "chart_intuition", [](const QString& folder) {
        TChart chart;
        chart.resize(317, 207);
        kvarzel::TLineSeries& series = kvarzel::ConfigureIntuitionChart(chart);
        const double results[] = {70, 100.0 / 3 * 2, 45.5, 81.25, 62.5};
        for (int i = 0; i < 5; ++i)
            series.AddPoint(i + 1, results[i]);
        chart.BottomAxis().SetMaximum(6);
        chart.show();
        return kvarzel::screenshots::SaveWidget(chart, folder, "chart_intuition");
    }};

const kvarzel::screenshots::Register ratioShot{"chart_ratio_strip", [](const QString& folder) {
                                                   TChart chart;
                                                   chart.resize(215, 20);
                                                   kvarzel::ConfigureRatioChart(chart);
                                                   chart.show();
                                                   return kvarzel::screenshots::SaveWidget(
                                                       chart, folder, "chart_ratio_strip");
                                               }};

} // namespace
