// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart.h"
#include "chart/chart_presets.h"

#include <memory>
#include <random>
#include <vector>

namespace kvarzel::bench {

// The results chart's size on the results page.
inline constexpr int kChartWidth = 317;
inline constexpr int kChartHeight = 207;

// Percentages as trainings give them: the right answers out of a training of 10 to 200 peas,
// guessed at chance, so the marks carry up to two decimals and few of them repeat. The same
// sequence on every run.
inline std::vector<double> TrainingPercentages(int count) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> peasCount(10, 200);
    std::vector<double> percentages;
    percentages.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int peas = peasCount(random);
        std::binomial_distribution<int> rightAnswers(peas, 0.5);
        percentages.push_back(static_cast<double>(rightAnswers(random) * 100.0L / peas));
    }
    return percentages;
}

// The results chart as the results page sets it up, holding `percentages` as trainings 1, 2, ...
inline std::unique_ptr<TChart> ResultsChart(const std::vector<double>& percentages) {
    auto chart = std::make_unique<TChart>();
    chart->resize(kChartWidth, kChartHeight);
    TLineSeries& series = ConfigureIntuitionChart(*chart);
    for (std::size_t i = 0; i < percentages.size(); ++i)
        series.AddPoint(static_cast<double>(i + 1), percentages[i]);
    chart->BottomAxis().SetMaximum(static_cast<double>(percentages.size() + 1));
    return chart;
}

} // namespace kvarzel::bench
