// SPDX-License-Identifier: GPL-3.0-or-later
// The results chart on a HiDPI screen: its bitmap has the screen's device
// pixels and finer detail, while its layout stays in logical pixels.
#include "chart/chart_presets.h"
#include "platform/drawing/device_grid.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

class ChartHiDpiTest : public ::testing::Test, testing::WithApplication {
protected:
    ChartHiDpiTest() {
        chart.resize(317, 207);
        for (const double percentage : {60.0, 70.0, 66.67, 45.0, 80.0})
            series.AddPoint(series.Count() + 1, percentage);
        chart.BottomAxis().SetMaximum(series.Count() + 1);
    }

    QImage RenderAt(qreal ratio) {
        chart.Invalidate();
        chart.UpdateBitmap(ratio);
        return chart.Bitmap().copy();
    }

    TChart chart;
    TLineSeries& series = ConfigureIntuitionChart(chart);
};

// Share of logical pixels whose colour at ratio 2 (top-left device pixel) is the colour at
// ratio 1: the same things in the same places.
double SameColourShare(const QImage& single, const QImage& doubled) {
    int same = 0;
    for (int y = 0; y < single.height(); ++y)
        for (int x = 0; x < single.width(); ++x)
            same += single.pixel(x, y) == doubled.pixel(2 * x, 2 * y) ? 1 : 0;
    return double(same) / (single.width() * single.height());
}

TEST_F(ChartHiDpiTest, AtRatioTwoTheBitmapHasTwiceThePixelsAndTheSameLayout) {
    const QImage single = RenderAt(1);
    const PixelRect rectAtOne = chart.ChartRect();
    const int labelsAtOne = chart.LeftAxis().PosLabels();
    EXPECT_EQ(single.size(), QSize(317, 207));
    EXPECT_EQ(single.devicePixelRatio(), 1.0);

    const QImage doubled = RenderAt(2);
    EXPECT_EQ(doubled.size(), QSize(634, 414));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(chart.ChartRect(), rectAtOne);
    EXPECT_EQ(chart.ChartBounds(), (PixelRect{0, 0, 317, 207}));
    EXPECT_EQ(chart.LeftAxis().PosLabels(), labelsAtOne);
    EXPECT_GT(SameColourShare(single, doubled), 0.9);
}

TEST_F(ChartHiDpiTest, AtRatioTwoTheChartIsDrawnInFinerDetailNotPixelDoubled) {
    const QImage single = RenderAt(1);
    const QImage doubled = RenderAt(2);
    const QImage pixelDoubled = single.scaled(doubled.size()).convertToFormat(doubled.format());
    int differing = 0;
    for (int y = 0; y < doubled.height(); ++y)
        for (int x = 0; x < doubled.width(); ++x)
            differing += doubled.pixel(x, y) != pixelDoubled.pixel(x, y) ? 1 : 0;
    // Texts, the line between the points and the pointers' outlines have their own pixels.
    EXPECT_GT(differing, 1000);
}

TEST_F(ChartHiDpiTest, BackAtRatioOneThePictureIsTheSameAsBefore) {
    const QImage before = RenderAt(1);
    RenderAt(2);
    EXPECT_EQ(RenderAt(1), before);
}

// Lengths of the runs of `colour` that cross the line from `from` in steps of `step`, within
// `count` pixels.
std::vector<int> RunLengths(const QImage& image, QPoint from, QPoint step, int count, QRgb colour) {
    std::vector<int> runs;
    int run = 0;
    for (QPoint at = from; count-- > 0; at += step) {
        if (image.pixel(at) == colour) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0)
        runs.push_back(run);
    return runs;
}

const QRgb Grey = qRgb(0x80, 0x80, 0x80);
const QRgb Black = qRgb(0, 0, 0);

// At 125 %, 150 % and 175 % the one-pixel lines of the chart keep one whole-pixel thickness
// everywhere, and the layout stays that of 100 %.
class FractionalScaleTest : public ChartHiDpiTest, public ::testing::WithParamInterface<qreal> {
protected:
    // The series stays active, so that the axes draw their grids, but draws nothing over them.
    void HideTheSeriesDrawing() {
        series.LinePen().SetVisible(false);
        series.Pointer().SetVisible(false);
        series.Marks().SetVisible(false);
    }
};

TEST_P(FractionalScaleTest, TheLayoutIsThatOfOneHundredPercent) {
    RenderAt(1);
    const PixelRect rectAtOne = chart.ChartRect();
    const int labelsAtOne = chart.LeftAxis().PosLabels();
    const QImage scaled = RenderAt(GetParam());
    EXPECT_EQ(scaled.size(), (QSizeF(317, 207) * GetParam()).toSize());
    EXPECT_EQ(chart.ChartRect(), rectAtOne);
    EXPECT_EQ(chart.LeftAxis().PosLabels(), labelsAtOne);
}

TEST_P(FractionalScaleTest, EveryLevelGridLineIsTheSameWholeNumberOfDevicePixelsThick) {
    chart.BottomAxis().Grid().SetVisible(false);
    HideTheSeriesDrawing();
    const QImage image = RenderAt(GetParam());
    const DeviceGrid grid(GetParam());
    const PixelRect& rect = chart.ChartRect();
    std::vector<int> runs;
    for (int x = rect.Left + 1; x < rect.Right - 1; ++x) {
        const int column = grid.Edge(x);
        const int top = grid.Edge(rect.Top) + grid.PenWidth(1); // below the line at 100
        const std::vector<int> found =
            RunLengths(image, {column, top}, {0, 1}, grid.Edge(rect.Bottom - 1) - top, Grey);
        runs.insert(runs.end(), found.begin(), found.end());
    }
    // Nine lines between 0 and 100, each dotted across every other logical pixel.
    EXPECT_GE(runs.size(), 9u * (rect.Width() / 2 - 2));
    for (const int run : runs)
        ASSERT_EQ(run, grid.PenWidth(1));
}

TEST_P(FractionalScaleTest, EveryUprightGridLineAndTheLeftAxisLineKeepOneThickness) {
    chart.LeftAxis().Grid().SetVisible(false);
    HideTheSeriesDrawing();
    const QImage image = RenderAt(GetParam());
    const DeviceGrid grid(GetParam());
    const PixelRect& rect = chart.ChartRect();
    const int axisColumn = grid.Edge(chart.LeftAxis().PosAxis());
    std::vector<int> gridRuns;
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
        const int row = grid.Edge(y);
        const std::vector<int> axis =
            RunLengths(image, {axisColumn - 2, row}, {1, 0}, grid.PenWidth(1) + 4, Black);
        ASSERT_EQ(axis, std::vector<int>{grid.PenWidth(1)}) << y;
        const int left = axisColumn + grid.PenWidth(1);
        const std::vector<int> found =
            RunLengths(image, {left, row}, {1, 0}, grid.Edge(rect.Right - 1) - left, Grey);
        gridRuns.insert(gridRuns.end(), found.begin(), found.end());
    }
    EXPECT_GE(gridRuns.size(), std::size_t(rect.Height() / 2 - 2));
    for (const int run : gridRuns)
        ASSERT_EQ(run, grid.PenWidth(1));
}

INSTANTIATE_TEST_SUITE_P(Scales, FractionalScaleTest, ::testing::Values(1.25, 1.5, 1.75));

} // namespace
} // namespace kvarzel
