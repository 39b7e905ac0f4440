// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_exceptions.h"
#include "chart/chart_presets.h"
#include "platform/desktop/locale_separators.h"
#include "test_support/recording_canvas.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using testing::DrawCall;
using testing::Op;
using testing::RecordingCanvas;

TEST(ChartValueList, AscendingInsertKeepsArrivalOrderOfEqualValues) {
    TChartValueList list(QStringLiteral("X"), loAscending);
    for (double value : {1.0, 2.0, 4.0})
        list.AddChartValue(value);
    EXPECT_EQ(list.AddChartValue(3), 2);
    EXPECT_EQ(list.Value(2), 3);
    EXPECT_EQ(list.Value(3), 4);

    TChartValueList equal(QStringLiteral("X"), loAscending);
    for (double value : {1.0, 2.0, 2.0})
        equal.AddChartValue(value);
    EXPECT_EQ(equal.AddChartValue(2), 3);
    EXPECT_EQ(equal.AddChartValue(0), 0);
    EXPECT_EQ(equal.AddChartValue(5), 5);
}

TEST(ChartValueList, DescendingAndUnorderedLists) {
    TChartValueList down(QStringLiteral("X"), loDescending);
    for (double value : {5.0, 3.0, 1.0})
        down.AddChartValue(value);
    EXPECT_EQ(down.AddChartValue(3), 2);
    EXPECT_EQ(down.AddChartValue(9), 0);

    TChartValueList none(QStringLiteral("Y"), loNone);
    none.AddChartValue(5);
    EXPECT_EQ(none.AddChartValue(1), 1);
    none.SetMultiplier(2);
    EXPECT_EQ(none.Value(0), 10);
}

TEST(ChartValueList, AscendingOnlyWhileEveryValueFollowsTheOneBefore) {
    TChartValueList list(QStringLiteral("X"), loAscending);
    for (double value : {1.0, 2.0, 2.0, 5.0})
        list.AddChartValue(value);
    EXPECT_TRUE(list.Ascending());
    list.SetMultiplier(-1);
    EXPECT_FALSE(list.Ascending());
    list.SetMultiplier(2);
    EXPECT_TRUE(list.Ascending());
    list.InsertAt(1, 9);
    EXPECT_FALSE(list.Ascending());
    list.AddChartValue(10);
    EXPECT_FALSE(list.Ascending());

    TChartValueList none(QStringLiteral("X"), loNone);
    none.AddChartValue(3);
    none.AddChartValue(1);
    none.SetOrder(loAscending);
    EXPECT_FALSE(none.Ascending());
}

class LineSeriesTest : public ::testing::Test, testing::WithApplication {
protected:
    LineSeriesTest() { chart.resize(317, 207); }

    // The series' part of one paint: everything from its first clip on.
    std::vector<DrawCall> SeriesCalls() {
        RecordingCanvas canvas;
        chart.Draw(canvas, {0, 0, 317, 207});
        std::vector<DrawCall> calls;
        bool started = false;
        for (const DrawCall& call : canvas.calls) {
            started = started || call.op == Op::Clip;
            if (started)
                calls.push_back(call);
        }
        return calls;
    }

    static std::vector<Op> Ops(const std::vector<DrawCall>& calls) {
        std::vector<Op> result;
        for (const DrawCall& call : calls)
            result.push_back(call.op);
        return result;
    }

    TChart chart;
    TLineSeries& series = ConfigureIntuitionChart(chart);
};

TEST_F(LineSeriesTest, AddPointKeepsAllListsInStep) {
    series.AddPoint(1, 10);
    series.AddPoint(2, 20, QStringLiteral("b"), clRed);
    series.AddPoint(4, 40);
    EXPECT_EQ(series.AddPoint(3, 30, QStringLiteral("c"), clBlue), 2);
    EXPECT_EQ(series.YValues().Value(2), 30);
    EXPECT_EQ(series.ValueColor(2), clBlue);
    EXPECT_EQ(series.Label(2), "c");
    EXPECT_EQ(series.YValues().Value(3), 40);
    EXPECT_EQ(series.ValueColor(3), 0x408000u);
    EXPECT_EQ(series.Label(1), "b");
}

TEST_F(LineSeriesTest, AddPointInvalidatesTheChart) {
    chart.UpdateBitmap();
    ASSERT_FALSE(chart.Dirty());
    series.AddPoint(1, 50);
    EXPECT_TRUE(chart.Dirty());
}

TEST_F(LineSeriesTest, ValueListSettingsRedrawOnlyWhenTheyChange) {
    series.AddPoint(1, 50);
    chart.UpdateBitmap();
    series.YValues().SetMultiplier(1);
    series.XValues().SetOrder(loAscending);
    EXPECT_FALSE(chart.Dirty());
    series.YValues().SetMultiplier(0.5);
    EXPECT_TRUE(chart.Dirty());
    chart.UpdateBitmap();
    series.XValues().SetOrder(loNone);
    EXPECT_TRUE(chart.Dirty());
}

TEST_F(LineSeriesTest, UnsortedXValuesAreSearchedInTheirOwnOrder) {
    series.XValues().SetOrder(loNone);
    for (double x : {3.0, 1.0, 2.0})
        series.AddPoint(x, 50);
    series.XValues().SetOrder(loAscending); // later points only; these stay as they are
    chart.BottomAxis().SetRange(1.5, 4);
    SeriesCalls();
    EXPECT_EQ(series.FirstValueIndex(), 0);
    EXPECT_EQ(series.LastValueIndex(), 2);
}

TEST_F(LineSeriesTest, ThreePointsDrawInTheirOrder) {
    series.AddPoint(1, 20);
    series.AddPoint(2, 60);
    series.AddPoint(3, 40);
    chart.BottomAxis().SetMaximum(4);
    const std::vector<DrawCall> calls = SeriesCalls();
    const std::vector<Op> expected{Op::Clip,    Op::Line,    Op::Ellipse,    Op::Line,
                                   Op::Ellipse, Op::Ellipse, Op::RemoveClip, Op::Clip,
                                   Op::Line,    Op::Text,    Op::Line,       Op::Text,
                                   Op::Line,    Op::Text,    Op::RemoveClip};
    ASSERT_EQ(Ops(calls), expected);

    const auto x = [&](double v) { return chart.BottomAxis().ValueToPixel(v); };
    const auto y = [&](double v) { return chart.LeftAxis().ValueToPixel(v); };
    EXPECT_EQ(calls[1].box, (PixelRect{x(1), y(20), x(2), y(60)}));
    EXPECT_EQ(calls[1].pen.Width, 2);
    EXPECT_EQ(calls[1].pen.Color, 0x408000u);
    EXPECT_EQ(calls[2].box, (PixelRect{x(1) - 3, y(20) - 3, x(1) + 3, y(20) + 3}));
    EXPECT_EQ(calls[2].brush.Color, 0x408000u);
    EXPECT_EQ(calls[2].pen.Color, clBlack);
    EXPECT_EQ(calls[3].box, (PixelRect{x(2), y(60), x(3), y(40)}));
    EXPECT_EQ(calls[4].box.Left, x(2) - 3);
    EXPECT_EQ(calls[5].box.Left, x(3) - 3);

    const PixelRect& rect = chart.ChartRect();
    const PixelRect clip{rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1};
    EXPECT_EQ(calls[0].box, clip);
    EXPECT_EQ(calls[7].box, clip);
    // Arrow up 8 pixels, white on silver; the text hangs above it, centred on the point.
    EXPECT_EQ(calls[8].box, (PixelRect{x(1), y(20), x(1), y(20) - 8}));
    EXPECT_EQ(calls[8].pen.Color, clWhite);
    EXPECT_EQ(calls[9].text, "20");
    EXPECT_EQ(calls[9].align, TextAlign::Center);
    EXPECT_EQ(calls[9].font.Color, clGreen);
    EXPECT_TRUE(calls[9].font.Bold);
    EXPECT_EQ(calls[9].box.Left, x(1));
    RecordingCanvas measure;
    measure.SetFont(calls[9].font);
    const int height = measure.MeasureText(QStringLiteral("W")).Height;
    EXPECT_EQ(calls[9].box.Top, y(20) - height + 1 - 8);
}

TEST_F(LineSeriesTest, OnePointHasItsPointerAndMarkButNoSegment) {
    series.AddPoint(1, 70);
    chart.BottomAxis().SetMaximum(2);
    const std::vector<Op> expected{Op::Clip, Op::Ellipse, Op::RemoveClip, Op::Clip,
                                   Op::Line, Op::Text,    Op::RemoveClip};
    EXPECT_EQ(Ops(SeriesCalls()), expected);
}

TEST_F(LineSeriesTest, PointsOnTheSamePixelGetNoSegment) {
    series.AddPoint(1, 50);
    series.AddPoint(1, 50);
    chart.BottomAxis().SetMaximum(2);
    const std::vector<DrawCall> calls = SeriesCalls();
    int segments = 0;
    int pointers = 0;
    for (const DrawCall& call : calls) {
        segments += call.op == Op::Line && call.pen.Width == 2 ? 1 : 0;
        pointers += call.op == Op::Ellipse ? 1 : 0;
    }
    EXPECT_EQ(segments, 0);
    EXPECT_EQ(pointers, 2);
}

TEST_F(LineSeriesTest, ZoomedBetweenTwoPointsOneSegmentCrossesTheView) {
    series.AddPoint(1, 0);
    series.AddPoint(2, 100);
    chart.BottomAxis().SetRange(1.25, 1.75);
    const std::vector<DrawCall> calls = SeriesCalls();
    EXPECT_EQ(series.FirstValueIndex(), 1);
    EXPECT_EQ(series.LastValueIndex(), 1);
    ASSERT_GE(calls.size(), 3u);
    const DrawCall& segment = calls[1];
    ASSERT_EQ(segment.op, Op::Line);
    const PixelRect& rect = chart.ChartRect();
    EXPECT_EQ(segment.box.Left, rect.Left);
    const double edgeValue = chart.BottomAxis().PixelToValue(rect.Left);
    EXPECT_EQ(segment.box.Top, chart.LeftAxis().ValueToPixel((edgeValue - 1) * 100));
    EXPECT_EQ(segment.box.Right, chart.BottomAxis().ValueToPixel(2));
    EXPECT_EQ(calls[2].op, Op::Ellipse);
}

TEST_F(LineSeriesTest, PointsLeftOfTheViewDrawNothing) {
    series.AddPoint(1, 10);
    series.AddPoint(2, 20);
    chart.BottomAxis().SetRange(5, 10);
    EXPECT_TRUE(SeriesCalls().empty());
    EXPECT_EQ(series.FirstValueIndex(), -1);
}

TEST_F(LineSeriesTest, NoPointsNoDrawing) {
    EXPECT_TRUE(SeriesCalls().empty());
}

TEST_F(LineSeriesTest, FirstPointBeyondTheDrawableRangeLeavesNoLineFromTheCorner) {
    series.AddPoint(1, 1e9);
    series.AddPoint(2, 50);
    series.AddPoint(3, 60);
    chart.BottomAxis().SetMaximum(4);
    const auto x = [&](double v) { return chart.BottomAxis().ValueToPixel(v); };
    const auto y = [&](double v) { return chart.LeftAxis().ValueToPixel(v); };
    std::vector<PixelRect> segments;
    std::vector<int> pointers;
    for (const DrawCall& call : SeriesCalls()) {
        if (call.op == Op::Line && call.pen.Width == 2)
            segments.push_back(call.box);
        if (call.op == Op::Ellipse)
            pointers.push_back(call.box.Left + 3);
    }
    EXPECT_EQ(segments, (std::vector<PixelRect>{{x(2), y(50), x(3), y(60)}}));
    EXPECT_EQ(pointers, (std::vector<int>{x(2), x(3)}));
}

TEST_F(LineSeriesTest, NullPointsAreNeitherDrawnNorMarked) {
    series.AddPoint(1, 10);
    series.AddPoint(2, 20, {}, clNone);
    series.AddPoint(3, 30);
    chart.BottomAxis().SetMaximum(4);
    std::vector<QString> texts;
    for (const DrawCall& call : SeriesCalls())
        if (call.op == Op::Text)
            texts.push_back(call.text);
    EXPECT_EQ(texts, (std::vector<QString>{"10", "30"}));
}

TEST_F(LineSeriesTest, NullPointAloneInViewShowsNothing) {
    series.AddPoint(1, 10, {}, clNone);
    chart.BottomAxis().SetMaximum(2);
    for (const DrawCall& call : SeriesCalls()) {
        EXPECT_NE(call.op, Op::Ellipse);
        EXPECT_NE(call.op, Op::Text);
    }
}

TEST_F(LineSeriesTest, MarkTextsUseTwoDecimalsAndTheUserSeparator) {
    const QChar point = UserNumberSeparators().Decimal;
    for (double value : {100.0, 100.0 / 3, 0.0, 3.125})
        series.AddPoint(series.Count() + 1, value);
    chart.BottomAxis().SetMaximum(5);
    std::vector<QString> texts;
    for (const DrawCall& call : SeriesCalls())
        if (call.op == Op::Text)
            texts.push_back(call.text);
    EXPECT_EQ(texts, (std::vector<QString>{"100", QString("33") + point + "33", "0",
                                           QString("3") + point + "13"}));
}

TEST_F(LineSeriesTest, ArrowTakesBlackWhenItWouldVanishOnThePanel) {
    chart.SetColor(clWhite);
    series.AddPoint(1, 50);
    chart.BottomAxis().SetMaximum(2);
    for (const DrawCall& call : SeriesCalls()) {
        if (call.op == Op::Line) {
            EXPECT_EQ(call.pen.Color, clBlack);
        }
    }
}

TEST_F(LineSeriesTest, MarkAboveTheTopIsCutOffByTheClip) {
    chart.BottomAxis().SetMaximum(2);
    chart.UpdateBitmap();
    const QImage without = chart.Bitmap().copy();
    series.AddPoint(1, 100);
    chart.UpdateBitmap();
    const QImage& with = chart.Bitmap();
    const PixelRect& rect = chart.ChartRect();
    for (int y = 0; y <= rect.Top; ++y)
        for (int x = 0; x < with.width(); ++x)
            ASSERT_EQ(with.pixel(x, y), without.pixel(x, y)) << x << "," << y;
    // The pointer itself shows below the top edge.
    const int px = chart.BottomAxis().ValueToPixel(1);
    EXPECT_EQ(with.pixel(px, rect.Top + 1), qRgb(0x00, 0x80, 0x40));
}

TEST_F(LineSeriesTest, PointerSizeBelowOneFails) {
    try {
        series.Pointer().SetHorizSize(0);
        FAIL() << "no error";
    } catch (const ChartException& error) {
        EXPECT_STREQ(error.what(), "Pointer size must be greater than zero");
    }
    EXPECT_THROW(series.Pointer().SetVertSize(-1), ChartException);
    EXPECT_EQ(series.Pointer().HorizSize(), 3);
    EXPECT_EQ(series.Pointer().VertSize(), 3);
}

TEST_F(LineSeriesTest, PointerMarginsWidenOnlyAutomaticEnds) {
    int left = 0, top = 0, right = 0, bottom = 0;
    series.CalcMargins(left, top, right, bottom);
    EXPECT_EQ(left, 4);
    EXPECT_EQ(top, 4);
    series.AddPoint(1, 0);
    series.AddPoint(3, 100);
    chart.BottomAxis().SetMaximum(4);
    chart.UpdateBitmap();
    EXPECT_EQ(chart.LeftAxis().IMaximum(), 100); // manual: unchanged

    chart.LeftAxis().SetAutomatic(true);
    chart.Invalidate();
    chart.UpdateBitmap();
    EXPECT_NEAR(chart.LeftAxis().ValueToPixel(100), chart.ChartRect().Top + 4, 1);
    EXPECT_NEAR(chart.LeftAxis().ValueToPixel(0), chart.ChartRect().Bottom - 4, 1);
}

} // namespace
} // namespace kvarzel
