// SPDX-License-Identifier: GPL-3.0-or-later
// The results chart beside QCustomPlot, the common Qt plotting library, drawing the same chart
// of the same trainings into an image of the same size, at every number of trainings a user may
// gather. A ratio line per size compares the two from the same run.
#include "chart/number_format.h"
#include "platform/drawing/canvas.h"
#include "qt_bench_main.h"
#include "training_results.h"

#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <memory>
#include <vector>

namespace {

using kvarzel::bench::kChartHeight;
using kvarzel::bench::kChartWidth;

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kSeriesColour(0x00, 0x80, 0x40);
const QColor kMarkColour(0x00, 0x80, 0x00);
constexpr int kArrowLength = 8;
constexpr int kPointerSize = 6;

void StyleAxis(QCPAxis& axis, double maximum) {
    axis.setRange(0, maximum);
    axis.setBasePen(QPen(Qt::black, 0));
    axis.setTickPen(QPen(kGrey, 0));
    axis.setSubTickPen(QPen(kGrey, 0));
    axis.setTickLength(0, 4);
    axis.setSubTickLength(0, 2);
    axis.setTickLabelFont(kvarzel::ToQFont({QStringLiteral("Arial"), 11, false, kvarzel::clBlack}));
    axis.grid()->setPen(QPen(kGrey, 0, Qt::DotLine));
    axis.grid()->setZeroLinePen(Qt::NoPen);
}

// A white arrow up from the point and the two-decimal value hanging on it, clipped to the axes.
void AddMark(QCustomPlot& plot, double x, double y, const QString& text) {
    auto* arrow = new QCPItemLine(&plot);
    arrow->setPen(QPen(Qt::white, 0));
    arrow->start->setCoords(x, y);
    arrow->end->setType(QCPItemPosition::ptAbsolute);
    arrow->end->setParentAnchor(arrow->start);
    arrow->end->setCoords(0, -kArrowLength);
    auto* mark = new QCPItemText(&plot);
    mark->position->setType(QCPItemPosition::ptAbsolute);
    mark->position->setParentAnchor(arrow->end);
    mark->position->setCoords(0, 1);
    mark->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    mark->setFont(kvarzel::ToQFont({QStringLiteral("Arial"), 13, true, kvarzel::clGreen}));
    mark->setColor(kMarkColour);
    mark->setText(text);
}

// The results chart drawn by QCustomPlot: silver panel, axes 0..100 and 0..N+1 with dotted grey
// grid lines, a 2-pixel dark green line with dark green discs, the marks; no antialiasing, as
// ours has none.
std::unique_ptr<QCustomPlot> ReferenceChart(const std::vector<double>& percentages) {
    auto plot = std::make_unique<QCustomPlot>();
    plot->resize(kChartWidth, kChartHeight);
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->setBackground(QBrush(kSilver));
    StyleAxis(*plot->xAxis, static_cast<double>(percentages.size() + 1));
    StyleAxis(*plot->yAxis, 100);
    QCPGraph* graph = plot->addGraph();
    graph->setPen(QPen(kSeriesColour, 2));
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black, 0),
                                           QBrush(kSeriesColour), kPointerSize));
    QVector<double> keys;
    for (std::size_t i = 0; i < percentages.size(); ++i) {
        keys.append(static_cast<double>(i + 1));
        AddMark(*plot, keys.back(), percentages[i],
                kvarzel::FormatFloat(QStringLiteral("#,##0.##"), percentages[i],
                                     kvarzel::UserNumberSeparators()));
    }
    graph->setData(keys, QVector<double>(percentages.begin(), percentages.end()), true);
    return plot;
}

int PointsOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void BM_OurChart(benchmark::State& state) {
    const auto chart =
        kvarzel::bench::ResultsChart(kvarzel::bench::TrainingPercentages(PointsOf(state)));
    for (auto _ : state) {
        chart->Invalidate();
        chart->UpdateBitmap();
    }
}

void BM_QCustomPlotChart(benchmark::State& state) {
    const auto plot = ReferenceChart(kvarzel::bench::TrainingPercentages(PointsOf(state)));
    QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QCPPainter painter(&image);
        plot->toPainter(&painter, kChartWidth, kChartHeight);
    }
}

// 0 points is the fixed part: background, axes, grid and labels (the bottom axis 0..1).
void PointCounts(benchmark::internal::Benchmark* benchmark) {
    for (const int points : {0, 10, 100, 1000, 10000})
        benchmark->Arg(points);
    benchmark->Repetitions(5)->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_OurChart)->Apply(PointCounts);
BENCHMARK(BM_QCustomPlotChart)->Apply(PointCounts);

// A widget that shows an image and does nothing else: the least a repaint can cost.
class ImageWidget final : public QWidget {
public:
    explicit ImageWidget(const QImage& image) : image_(image) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(image.size());
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }

private:
    QImage image_;
};

// Two repaints that cost the same within a few per cent: more repetitions than elsewhere keep
// their medians apart from the machine's noise.
constexpr int kRepaintRepetitions = 15;

// The window asks for a paint though nothing changed: the chart only copies its bitmap.
void BM_OurChartUnchangedRepaint(benchmark::State& state) {
    const auto chart = kvarzel::bench::ResultsChart(kvarzel::bench::TrainingPercentages(1000));
    chart->show();
    QApplication::processEvents();
    chart->repaint();
    for (auto _ : state)
        chart->repaint();
}
BENCHMARK(BM_OurChartUnchangedRepaint)
    ->Repetitions(kRepaintRepetitions)
    ->Unit(benchmark::kMicrosecond);

void BM_RawImageRepaint(benchmark::State& state) {
    const auto chart = kvarzel::bench::ResultsChart(kvarzel::bench::TrainingPercentages(1000));
    chart->UpdateBitmap();
    ImageWidget widget(chart->Bitmap());
    widget.show();
    QApplication::processEvents();
    widget.repaint();
    for (auto _ : state)
        widget.repaint();
}
BENCHMARK(BM_RawImageRepaint)->Repetitions(kRepaintRepetitions)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    const auto size = [](const char* what, const char* points, double target) {
        return kvarzel::bench::Comparison{std::string("ours/QCustomPlot, ") + what,
                                          std::string("BM_OurChart/") + points,
                                          std::string("BM_QCustomPlotChart/") + points, target};
    };
    return kvarzel::bench::RunQtBenchmarks(
        argc, argv,
        {size("fixed part", "0", 1.0),
         size("10 points", "10", 0.5),
         size("100 points", "100", 0.2),
         size("1 000 points", "1000", 0.05),
         size("10 000 points", "10000", 0.1),
         {"unchanged repaint / raw drawImage", "BM_OurChartUnchangedRepaint", "BM_RawImageRepaint",
          1.05}});
}
