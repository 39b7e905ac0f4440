// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas on an image the size of the results chart: filling, copying, text measurement.
#include "platform/drawing/image_canvas.h"

#include "qt_bench_main.h"

#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 317;
constexpr int kHeight = 207;

void BM_CanvasFillImage(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    kvarzel::ImageCanvas canvas(image);
    canvas.SetBrush({kvarzel::clSilver, kvarzel::BrushStyle::Solid});
    for (auto _ : state)
        canvas.FillRect({0, 0, kWidth, kHeight});
}
BENCHMARK(BM_CanvasFillImage);

// What a repaint without a change costs: one copy of the bitmap.
void BM_CopyImage(benchmark::State& state) {
    QImage source(kWidth, kHeight, QImage::Format_RGB32);
    source.fill(Qt::gray);
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&target);
    for (auto _ : state)
        painter.drawImage(0, 0, source);
}
BENCHMARK(BM_CopyImage);

void BM_CanvasDottedGridLine(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    kvarzel::ImageCanvas canvas(image);
    canvas.SetPen({kvarzel::clGray, kvarzel::PenStyle::Dot});
    for (auto _ : state)
        canvas.Line(27, 100, 314, 100);
}
BENCHMARK(BM_CanvasDottedGridLine);

void BM_CanvasMeasureText(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    kvarzel::ImageCanvas canvas(image);
    canvas.SetFont({QStringLiteral("Arial"), 13, true, kvarzel::clGreen});
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(canvas.MeasureText(QString::number(value++ % 101)));
}
BENCHMARK(BM_CanvasMeasureText);

void BM_CanvasMeasureTextChangingFont(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    kvarzel::ImageCanvas canvas(image);
    const kvarzel::CanvasFont labels{QStringLiteral("Arial"), 11, false, kvarzel::clBlack};
    const kvarzel::CanvasFont marks{QStringLiteral("Arial"), 13, true, kvarzel::clGreen};
    bool flip = false;
    for (auto _ : state) {
        canvas.SetFont((flip = !flip) ? labels : marks);
        benchmark::DoNotOptimize(canvas.MeasureText(QStringLiteral("100")));
    }
}
BENCHMARK(BM_CanvasMeasureTextChangingFont);

} // namespace

int main(int argc, char** argv) {
    return kvarzel::bench::RunQtBenchmarks(argc, argv);
}
