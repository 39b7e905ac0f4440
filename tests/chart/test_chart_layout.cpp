// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_presets.h"
#include "chart/rounding.h"
#include "test_support/recording_canvas.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace kvarzel {
namespace {

using testing::Op;
using testing::RecordingCanvas;

class ChartLayoutTest : public ::testing::Test, testing::WithApplication {
protected:
    ChartLayoutTest() { chart.resize(317, 207); }

    TChart chart;
};

TEST_F(ChartLayoutTest, ResultsChartRectangleMakesRoomForMeasuredLabels) {
    ConfigureIntuitionChart(chart);
    chart.UpdateBitmap();
    const QFontMetrics metrics(ToQFont(DefaultChartFont()));
    const int labelHeight = metrics.height();
    const int labelWidth =
        std::max(metrics.horizontalAdvance("100"), metrics.horizontalAdvance("0")) +
        metrics.horizontalAdvance(" ");
    // Margins give (0, 4, 314, 205); the axes take labels plus 5 pixels of line and ticks.
    EXPECT_EQ(chart.ChartRect(), (PixelRect{labelWidth + 5, 4, 314, 205 - labelHeight - 5}));
    EXPECT_EQ(chart.ChartBounds(), (PixelRect{0, 0, 317, 207}));
    EXPECT_EQ(chart.LeftAxis().PosLabels(), labelWidth);
    EXPECT_EQ(chart.BottomAxis().PosLabels(), 205 - labelHeight);
    chart.Invalidate();
    chart.UpdateBitmap();
    EXPECT_EQ(chart.ChartRect().Left, labelWidth + 5);
}

TEST_F(ChartLayoutTest, MarginsArePercentagesOfThePanel) {
    ConfigureIntuitionChart(chart);
    chart.SetAxisVisible(false);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.ChartRect(), (PixelRect{0, 4, 314, 205}));
    chart.resize(317, 20);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.ChartRect(), (PixelRect{0, 0, 314, 20}));
}

TEST_F(ChartLayoutTest, AxesThatLeaveNoRoomAreIgnored) {
    ConfigureIntuitionChart(chart);
    chart.LeftAxis().SetLabelsSize(400);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.ChartRect().Left, 0);
    EXPECT_LT(chart.ChartRect().Bottom, 205);
    chart.BottomAxis().SetLabelsSize(300);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.ChartRect(), (PixelRect{0, 4, 314, 205}));
}

TEST_F(ChartLayoutTest, AxisWithoutLabelsKeepsItsLabelsPositionFromPaintToPaint) {
    ConfigureIntuitionChart(chart);
    chart.LeftAxis().SetLabels(false);
    chart.LeftAxis().SetPositionPercent(10);
    chart.UpdateBitmap();
    const int first = chart.LeftAxis().PosLabels();
    for (int paint = 0; paint < 3; ++paint) {
        chart.Invalidate();
        chart.UpdateBitmap();
        EXPECT_EQ(chart.LeftAxis().PosLabels(), first);
    }
}

TEST_F(ChartLayoutTest, InvertedMarginsGiveAOnePixelWideRectangle) {
    chart.SetAxisVisible(false);
    chart.SetMarginLeft(60);
    chart.SetMarginRight(60);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.ChartRect().Left, ScalePercent(60, 317));
    EXPECT_EQ(chart.ChartWidth(), 1);
}

TEST_F(ChartLayoutTest, TitleWithTextTakesItsRoom) {
    chart.SetAxisVisible(false);
    chart.SetBevelOuter(bvNone);
    chart.Title().SetText({QStringLiteral("Итоги")});
    chart.UpdateBitmap();
    const int lineHeight = QFontMetrics(ToQFont(DefaultChartFont())).height();
    EXPECT_EQ(chart.ChartRect().Top, ScalePercent(4, 207) + lineHeight + 5);
}

TEST_F(ChartLayoutTest, RepaintWithoutChangeOnlyCopiesTheBitmap) {
    ConfigureIntuitionChart(chart);
    chart.show();
    chart.UpdateBitmap();
    QImage& bitmap = const_cast<QImage&>(chart.Bitmap());
    const QRgb drawn = bitmap.pixel(150, 100);
    bitmap.setPixel(150, 100, qRgb(1, 2, 3));
    chart.UpdateBitmap();
    EXPECT_EQ(chart.Bitmap().pixel(150, 100), qRgb(1, 2, 3));
    const QImage shown = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(150, 100), qRgb(1, 2, 3));
    chart.SetColor(clWhite);
    chart.SetColor(clSilver);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.Bitmap().pixel(150, 100), drawn);
}

TEST_F(ChartLayoutTest, ResizeMakesANewBitmap) {
    chart.UpdateBitmap();
    chart.resize(100, 60);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.Bitmap().size(), QSize(100, 60));
    EXPECT_EQ(chart.ChartBounds(), (PixelRect{0, 0, 100, 60}));
}

TEST_F(ChartLayoutTest, ZoomRectangleIsPaintedIntoTheBitmapInvertingly) {
    ConfigureIntuitionChart(chart);
    chart.UpdateBitmap();
    const QImage before = chart.Bitmap().copy();
    chart.Zoom.Activate(120, 150);
    chart.Zoom.X1 = 60;
    chart.Zoom.Y1 = 40;
    chart.Invalidate();
    chart.UpdateBitmap();
    const QImage& after = chart.Bitmap();
    const auto inverted = [&](int x, int y) {
        return qRgb(255, 255, 255) ^ ((before.pixel(x, y) ^ qRgb(0xC0, 0xC0, 0xC0)) & 0xFFFFFF);
    };
    for (int x = 60; x < 120; ++x) {
        EXPECT_EQ(after.pixel(x, 40), inverted(x, 40)) << x;
        EXPECT_EQ(after.pixel(x, 149), inverted(x, 149)) << x;
    }
    for (int y = 40; y < 150; ++y) {
        EXPECT_EQ(after.pixel(60, y), inverted(60, y)) << y;
        EXPECT_EQ(after.pixel(119, y), inverted(119, y)) << y;
    }
    EXPECT_EQ(after.pixel(120, 100), before.pixel(120, 100));
    EXPECT_EQ(after.pixel(90, 100), before.pixel(90, 100));
    chart.Zoom.Active = false;
    chart.Invalidate();
    chart.UpdateBitmap();
    EXPECT_EQ(chart.Bitmap(), before);
}

TEST_F(ChartLayoutTest, PaintOrderBackgroundAxesThenSeries) {
    TLineSeries& series = ConfigureIntuitionChart(chart);
    series.AddPoint(1, 50);
    series.AddPoint(2, 70);
    chart.BottomAxis().SetMaximum(3);
    RecordingCanvas canvas;
    chart.Draw(canvas, {0, 0, 317, 207});
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls.front().op, Op::FillRect);
    EXPECT_EQ(canvas.calls.front().box, (PixelRect{0, 0, 317, 207}));
    EXPECT_EQ(canvas.calls.front().brush.Color, clSilver);
    std::size_t lastGrid = 0;
    std::size_t firstSegment = canvas.calls.size();
    for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
        const auto& call = canvas.calls[i];
        if (call.op == Op::Line && call.pen.Style == PenStyle::Dot)
            lastGrid = i;
        if (call.op == Op::Line && call.pen.Width == 2)
            firstSegment = std::min(firstSegment, i);
    }
    EXPECT_LT(lastGrid, firstSegment);
    EXPECT_LT(firstSegment, canvas.calls.size());
    // The results chart's back wall has a clear pen and a clear brush: nothing is drawn.
    EXPECT_TRUE(canvas.Of(Op::Rectangle).empty());
}

TEST_F(ChartLayoutTest, ResultsChartBackWallLeavesTheSilverBackground) {
    ConfigureIntuitionChart(chart);
    chart.UpdateBitmap();
    const PixelRect& rect = chart.ChartRect();
    const QImage& image = chart.Bitmap();
    EXPECT_EQ(image.pixel(rect.Right - 1, rect.Top + 7), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixel(rect.Right, rect.Top + 7), qRgb(0xC0, 0xC0, 0xC0));
}

TEST_F(ChartLayoutTest, GridLinesLieAtEveryLabelOfTheLeftAxis) {
    ConfigureIntuitionChart(chart);
    chart.UpdateBitmap();
    const QImage& image = chart.Bitmap();
    const PixelRect& rect = chart.ChartRect();
    const auto greyDots = [&](int y) {
        int dots = 0;
        for (int x = rect.Left + 1; x < rect.Right; ++x)
            dots += image.pixel(x, y) == qRgb(0x80, 0x80, 0x80) ? 1 : 0;
        return dots;
    };
    const int half = (rect.Right - rect.Left - 1) / 2;
    for (int value = 0; value <= 100; value += 10) {
        const int y = chart.LeftAxis().ValueToPixel(value);
        EXPECT_GE(greyDots(y), half - 2) << value;
        // The tick left of the axis line, four pixels long.
        for (int x = rect.Left - 4; x < rect.Left; ++x)
            EXPECT_EQ(image.pixel(x, y), qRgb(0x80, 0x80, 0x80)) << value;
        EXPECT_NE(image.pixel(rect.Left - 5, y), qRgb(0x80, 0x80, 0x80)) << value;
    }
    EXPECT_EQ(greyDots(chart.LeftAxis().ValueToPixel(55)), 0);
    EXPECT_EQ(image.pixel(rect.Left, chart.LeftAxis().ValueToPixel(55)), qRgb(0, 0, 0));
}

} // namespace
} // namespace kvarzel
