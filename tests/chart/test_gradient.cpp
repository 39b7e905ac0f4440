// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_presets.h"
#include "chart/gradient_fill.h"
#include "chart/rounding.h"
#include "test_support/recording_canvas.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

#include <set>

namespace kvarzel {
namespace {

using testing::Op;
using testing::RecordingCanvas;

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(1, 3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(5, 255, 214), 6);
    EXPECT_EQ(MulDiv(2147483647, 2147483647, 2147483647), 2147483647);
    EXPECT_EQ(MulDiv(7, 7, 0), 0);
    EXPECT_EQ(ScalePercent(2, 20), 0);
    EXPECT_EQ(ScalePercent(2, 207), 4);
    EXPECT_EQ(ScalePercent(1, 317), 3);
    EXPECT_EQ(ScalePercent(50, 1), 1);
}

TEST(GradientFill, WideRectangleGetsAtMost256BandsTilingIt) {
    RecordingCanvas canvas;
    GradientFill(canvas, {0, 0, 300, 10}, clBlack, clWhite, gdLeftRight);
    const auto fills = canvas.Of(Op::FillRect);
    ASSERT_EQ(fills.size(), 256u);
    std::set<int> widths;
    int expectedRight = 300;
    for (const auto& fill : fills) {
        EXPECT_EQ(fill.box.Right, expectedRight); // from the right edge towards the left
        expectedRight = fill.box.Left;
        widths.insert(fill.box.Width());
        EXPECT_EQ(fill.box.Top, 0);
        EXPECT_EQ(fill.box.Bottom, 10);
    }
    EXPECT_EQ(expectedRight, 0);
    EXPECT_EQ(widths, (std::set<int>{1, 2}));
    EXPECT_EQ(fills.front().brush.Color, clBlack);
    EXPECT_EQ(fills.back().brush.Color, clWhite);
}

TEST(GradientFill, VerticalBandsRunFromTheBottom) {
    RecordingCanvas canvas;
    GradientFill(canvas, {0, 0, 5, 4}, clWhite, clBlack, gdTopBottom);
    const auto fills = canvas.Of(Op::FillRect);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[0].box, (PixelRect{0, 3, 5, 4}));
    EXPECT_EQ(fills[0].brush.Color, clWhite);
    EXPECT_EQ(fills[3].box, (PixelRect{0, 0, 5, 1}));
    EXPECT_EQ(fills[3].brush.Color, clBlack);
}

TEST(GradientFill, DegenerateRectangles) {
    RecordingCanvas one;
    GradientFill(one, {7, 0, 8, 3}, clWhite, clBlack, gdLeftRight);
    ASSERT_EQ(one.Of(Op::FillRect).size(), 1u);
    EXPECT_EQ(one.Of(Op::FillRect)[0].brush.Color, clWhite);

    RecordingCanvas empty;
    GradientFill(empty, {7, 0, 7, 3}, clWhite, clBlack, gdLeftRight);
    EXPECT_TRUE(empty.calls.empty());

    RecordingCanvas backwards;
    GradientFill(backwards, {10, 0, 0, 3}, clWhite, clBlack, gdLeftRight);
    EXPECT_EQ(backwards.Of(Op::FillRect).size(), 10u);
    EXPECT_EQ(backwards.Of(Op::FillRect)[0].box, (PixelRect{9, 0, 10, 3}));
}

TEST(GradientFill, EqualColoursUseOneBrushAndTheOldBrushComesBack) {
    RecordingCanvas canvas;
    canvas.SetBrush({0x123456, BrushStyle::Clear});
    GradientFill(canvas, {0, 0, 40, 3}, clSilver, clSilver, gdRightLeft);
    for (const auto& fill : canvas.Of(Op::FillRect))
        EXPECT_EQ(fill.brush.Color, clSilver);
    EXPECT_EQ(canvas.Brush(), (CanvasBrush{0x123456, BrushStyle::Clear}));
}

TEST(GradientFill, OtherDirectionsExchangeTheColours) {
    RecordingCanvas canvas;
    GradientFill(canvas, {0, 0, 3, 1}, clWhite, clBlack, gdRightLeft);
    EXPECT_EQ(canvas.Of(Op::FillRect).front().brush.Color, clBlack); // right edge
}

class RatioStripTest : public ::testing::Test, testing::WithApplication {
protected:
    void SetUp() override {
        chart.resize(215, 20);
        ConfigureRatioChart(chart);
        chart.UpdateBitmap();
    }
    TChart chart;
};

TEST_F(RatioStripTest, EveryColumnFollowsTheRamp) {
    const QImage& image = chart.Bitmap();
    ASSERT_EQ(image.size(), QSize(215, 20));
    for (int k = 1; k < 215; ++k) {
        const int level = 255 - static_cast<int>(MulDiv(214 - k, 255, 214));
        EXPECT_EQ(image.pixel(k, 10), qRgb(level, level, level)) << "column " << k;
        EXPECT_EQ(image.pixel(k, 19), qRgb(level, level, level)) << "column " << k;
    }
    EXPECT_EQ(image.pixel(214, 5), qRgb(255, 255, 255));
}

TEST_F(RatioStripTest, BackWallOutlineOnlyOnFirstRowAndColumn) {
    const QImage& image = chart.Bitmap();
    EXPECT_EQ(chart.ChartRect(), (PixelRect{0, 0, 215, 20}));
    for (int x = 0; x < 215; ++x)
        EXPECT_EQ(image.pixel(x, 0), qRgb(0, 0, 0)) << x;
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(image.pixel(0, y), qRgb(0, 0, 0)) << y;
    // The right and bottom lines fall outside the strip.
    EXPECT_EQ(image.pixel(214, 10), qRgb(255, 255, 255));
    const int level = 255 - static_cast<int>(MulDiv(214 - 100, 255, 214));
    EXPECT_EQ(image.pixel(100, 19), qRgb(level, level, level));
}

TEST_F(RatioStripTest, HiddenBackWallPenLeavesTheRampWhole) {
    chart.BackWall().Pen().SetVisible(false);
    EXPECT_EQ(chart.BackWall().Pen().ToCanvasPen().Style, PenStyle::Clear);
    chart.UpdateBitmap();
    const int level = 255 - static_cast<int>(MulDiv(214 - 100, 255, 214));
    EXPECT_EQ(chart.Bitmap().pixel(100, 0), qRgb(level, level, level));
    EXPECT_EQ(chart.Bitmap().pixel(0, 10), qRgb(0, 0, 0)); // the ramp's own black column
    EXPECT_EQ(chart.Bitmap().pixel(1, 0), chart.Bitmap().pixel(1, 10));
}

} // namespace
} // namespace kvarzel
