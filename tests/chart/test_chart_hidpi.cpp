// The results chart on a HiDPI screen: its bitmap has the screen's device
// pixels and finer detail, while its layout stays in logical pixels.
#include "chart/chart_presets.h"
#include "chart_test_support.h"

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

    QImage renderAt(qreal ratio) {
        chart.Invalidate();
        chart.UpdateBitmap(ratio);
        return chart.Bitmap().copy();
    }

    TChart chart;
    TLineSeries& series = ConfigureIntuitionChart(chart);
};

// Share of logical pixels whose colour at ratio 2 (top-left device pixel) is the colour at
// ratio 1: the same things in the same places.
double sameColourShare(const QImage& single, const QImage& doubled) {
    int same = 0;
    for (int y = 0; y < single.height(); ++y)
        for (int x = 0; x < single.width(); ++x)
            same += single.pixel(x, y) == doubled.pixel(2 * x, 2 * y) ? 1 : 0;
    return double(same) / (single.width() * single.height());
}

TEST_F(ChartHiDpiTest, AtRatioTwoTheBitmapHasTwiceThePixelsAndTheSameLayout) {
    const QImage single = renderAt(1);
    const TRect rectAtOne = chart.ChartRect();
    const int labelsAtOne = chart.LeftAxis().PosLabels();
    EXPECT_EQ(single.size(), QSize(317, 207));
    EXPECT_EQ(single.devicePixelRatio(), 1.0);

    const QImage doubled = renderAt(2);
    EXPECT_EQ(doubled.size(), QSize(634, 414));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(chart.ChartRect(), rectAtOne);
    EXPECT_EQ(chart.ChartBounds(), (TRect{0, 0, 317, 207}));
    EXPECT_EQ(chart.LeftAxis().PosLabels(), labelsAtOne);
    EXPECT_GT(sameColourShare(single, doubled), 0.9);
}

TEST_F(ChartHiDpiTest, AtRatioTwoTheChartIsDrawnInFinerDetailNotPixelDoubled) {
    const QImage single = renderAt(1);
    const QImage doubled = renderAt(2);
    const QImage pixelDoubled = single.scaled(doubled.size()).convertToFormat(doubled.format());
    int differing = 0;
    for (int y = 0; y < doubled.height(); ++y)
        for (int x = 0; x < doubled.width(); ++x)
            differing += doubled.pixel(x, y) != pixelDoubled.pixel(x, y) ? 1 : 0;
    // Texts, the line between the points and the pointers' outlines have their own pixels.
    EXPECT_GT(differing, 1000);
}

TEST_F(ChartHiDpiTest, BackAtRatioOneThePictureIsTheSameAsBefore) {
    const QImage before = renderAt(1);
    renderAt(2);
    EXPECT_EQ(renderAt(1), before);
}

} // namespace
} // namespace kvarzel
