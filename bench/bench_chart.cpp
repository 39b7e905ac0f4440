// SPDX-License-Identifier: GPL-3.0-or-later
// The results chart: a full paint with growing numbers of points, and a repaint without change.
#include "qt_bench_main.h"
#include "training_results.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<kvarzel::TChart> ResultsChart(int points) {
    return kvarzel::bench::ResultsChart(kvarzel::bench::TrainingPercentages(points));
}

void BM_ChartFullPaint(benchmark::State& state) {
    const auto chart = ResultsChart(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        chart->Invalidate();
        chart->UpdateBitmap();
    }
}
BENCHMARK(BM_ChartFullPaint)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

// The window asks for a paint though nothing changed: only the bitmap is copied.
void BM_ChartRepaintWithoutChange(benchmark::State& state) {
    const auto chart = ResultsChart(1000);
    chart->show();
    QApplication::processEvents(); // exposed, and the bitmap drawn once
    chart->repaint();
    for (auto _ : state)
        chart->repaint();
}
BENCHMARK(BM_ChartRepaintWithoutChange)->Unit(benchmark::kMicrosecond);

void BM_ChartBitmapUpToDate(benchmark::State& state) {
    const auto chart = ResultsChart(1000);
    chart->UpdateBitmap();
    for (auto _ : state)
        chart->UpdateBitmap();
}
BENCHMARK(BM_ChartBitmapUpToDate);

} // namespace

int main(int argc, char** argv) {
    return kvarzel::bench::RunQtBenchmarks(argc, argv);
}
