// The results chart: a full paint with growing numbers of points, and a repaint without change.
#include "chart/chart_presets.h"

#include "qt_bench_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<kvarzel::TChart> ResultsChart(int points) {
    auto chart = std::make_unique<kvarzel::TChart>();
    chart->resize(317, 207);
    kvarzel::TLineSeries& series = kvarzel::ConfigureIntuitionChart(*chart);
    for (int i = 1; i <= points; ++i)
        series.AddPoint(i, 50 + 40 * std::sin(i * 0.7));
    chart->BottomAxis().SetMaximum(points + 1);
    return chart;
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
