// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_presets.h"
#include "test_support/recording_canvas.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace kvarzel {
namespace {

using testing::Op;
using testing::RecordingCanvas;

TEST(NextLabelStep, ClimbsOneTwoFive) {
    EXPECT_EQ(NextLabelStep(1), 2);
    EXPECT_EQ(NextLabelStep(2), 5);
    EXPECT_EQ(NextLabelStep(5), 10);
    EXPECT_EQ(NextLabelStep(10), 20);
    EXPECT_EQ(NextLabelStep(50), 100);
    EXPECT_EQ(NextLabelStep(3), 5);
    EXPECT_NEAR(NextLabelStep(0.1), 0.2, 1e-15);
    EXPECT_NEAR(NextLabelStep(0.5), 1, 1e-15);
    // Tiny steps climb as the floating-point products give them, but always upwards.
    double step = MinLabelStep;
    for (int i = 0; i < 60 && step < 1; ++i) {
        const double next = NextLabelStep(step);
        ASSERT_GT(next, step);
        step = next;
    }
    EXPECT_GE(step, 1);
    EXPECT_EQ(NextLabelStep(0), MinLabelStep);
}

class AxisLabelsTest : public ::testing::Test, testing::WithApplication {
protected:
    void Place(TCustomChartAxis& axis, double min, double max, const PixelRect& rect) {
        axis.SetRange(min, max);
        axis.CalcEffectiveRange();
        axis.CalcPixelExtent(rect);
    }

    // A full paint of the results chart into the recording canvas.
    void Paint() { chart.Draw(canvas, {0, 0, 317, 207}); }

    int LabelHeight() const { return QFontMetrics(ToQFont(DefaultChartFont())).height(); }

    TChart chart;
    TLineSeries* series = &ConfigureIntuitionChart(chart);
    RecordingCanvas canvas;
};

TEST_F(AxisLabelsTest, WorkedStepExamples) {
    TChartAxis& left = chart.LeftAxis();
    Place(left, 0, 100, {0, 0, 10, 182});
    EXPECT_EQ(left.LabelCountLimit(13, 182), 13);
    EXPECT_EQ(left.ChooseLabelStep(13), 10);

    TChartAxis& bottom = chart.BottomAxis();
    Place(bottom, 0, 6, {0, 0, 280, 10});
    EXPECT_EQ(bottom.LabelCountLimit(6, 280), 40);
    EXPECT_EQ(bottom.ChooseLabelStep(40), 1);
    EXPECT_EQ(bottom.ChooseLabelStep(0), MinLabelStep);
}

TEST_F(AxisLabelsTest, RangesOfOneOrMoreNeverStepBelowOne) {
    TChartAxis& bottom = chart.BottomAxis();
    Place(bottom, 2, 3, {0, 0, 2000, 10});
    EXPECT_EQ(bottom.ChooseLabelStep(300), 1);
    Place(bottom, 2, 2.5, {0, 0, 2000, 10});
    const double step = bottom.ChooseLabelStep(8);
    EXPECT_NEAR(step, 0.1, 1e-12);
}

TEST_F(AxisLabelsTest, IncrementIsOnlyEnlargedAndSeparationZeroKeepsTheStep) {
    TChartAxis& left = chart.LeftAxis();
    Place(left, 0, 100, {0, 0, 10, 182});
    left.SetIncrement(3);
    EXPECT_EQ(left.ChooseLabelStep(13), 10);
    EXPECT_EQ(left.ChooseLabelStep(50), 3);
    left.SetIncrement(0);
    left.SetLabelsSeparation(0);
    EXPECT_EQ(left.ChooseLabelStep(1), 1);
}

TEST_F(AxisLabelsTest, InfiniteRangeDoesNotHangTheStepChoice) {
    TChartAxis& left = chart.LeftAxis();
    Place(left, -1e308, 1e308, {0, 0, 10, 182});
    EXPECT_GT(left.ChooseLabelStep(13), 0);
}

TEST_F(AxisLabelsTest, LeftAxisLabelsFromTheTopDown) {
    Paint();
    const TChartAxis& left = chart.LeftAxis();
    std::vector<QString> texts;
    std::vector<int> tops;
    for (const auto& call : canvas.Of(Op::Text)) {
        if (call.align == TextAlign::Right) {
            texts.push_back(call.text);
            tops.push_back(call.box.Top);
            EXPECT_EQ(call.box.Left, left.PosLabels());
        }
    }
    const std::vector<QString> expected{"100", "90", "80", "70", "60", "50",
                                        "40",  "30", "20", "10", "0"};
    EXPECT_EQ(texts, expected);
    ASSERT_FALSE(tops.empty());
    // The top label is centred on the chart rectangle's top edge.
    EXPECT_EQ(tops.front(), chart.ChartRect().Top - LabelHeight() / 2);
    EXPECT_EQ(left.TickPositions().size(), 11u);
    EXPECT_EQ(left.TickPositions().front(), chart.ChartRect().Top);
    EXPECT_EQ(left.TickPositions().back(), chart.ChartRect().Bottom);
}

TEST_F(AxisLabelsTest, EmptyBottomAxisShowsOneZeroAtItsCentre) {
    Paint();
    const TChartAxis& bottom = chart.BottomAxis();
    std::vector<testing::DrawCall> labels;
    for (const auto& call : canvas.Of(Op::Text))
        if (call.align == TextAlign::Center)
            labels.push_back(call);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "0");
    EXPECT_EQ(labels[0].box.Left, bottom.ICenterPos());
    EXPECT_EQ(labels[0].box.Top, bottom.PosLabels());
    EXPECT_EQ(bottom.TickPositions(), std::vector<int>{bottom.ICenterPos()});
}

TEST_F(AxisLabelsTest, TenThousandStepsDrawNoLabelsButTheLine) {
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetLabelsSeparation(0);
    bottom.SetRange(0, 10000);
    Paint();
    EXPECT_TRUE(bottom.TickPositions().empty());
    for (const auto& call : canvas.Of(Op::Text))
        EXPECT_NE(call.align, TextAlign::Center) << call.text.toStdString();
    const int line = chart.ChartRect().Bottom;
    bool axisLine = false;
    for (const auto& call : canvas.Of(Op::Line))
        axisLine =
            axisLine || (call.box == PixelRect{bottom.IStartPos(), line, bottom.IEndPos(), line});
    EXPECT_TRUE(axisLine);
}

TEST_F(AxisLabelsTest, TickListStaysWithinItsBound) {
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetLabelsSeparation(0);
    bottom.SetRange(0, 5000);
    Paint();
    EXPECT_EQ(bottom.TickPositions().size(), static_cast<std::size_t>(MaxAxisTicks));
}

TEST_F(AxisLabelsTest, EqualEndsFarFromZeroDrawOneLabelAndFinish) {
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetMaximum(1e6);
    bottom.SetMinimum(1e6);
    Paint();
    EXPECT_EQ(bottom.TickPositions().size(), 1u);
}

TEST_F(AxisLabelsTest, NegativeRangeShowsMinusSigns) {
    chart.BottomAxis().SetRange(-2, 3);
    Paint();
    std::vector<QString> bottomTexts;
    for (const auto& call : canvas.Of(Op::Text))
        if (call.align == TextAlign::Center)
            bottomTexts.push_back(call.text);
    // The lower bound shrinks towards zero by a relative 1e-12, so a negative lower end
    // itself gets no label.
    EXPECT_EQ(bottomTexts, (std::vector<QString>{"3", "2", "1", "0", "-1"}));
}

TEST_F(AxisLabelsTest, TicksAndGridUseTheirPensAndPlaces) {
    chart.BottomAxis().SetMaximum(4);
    Paint();
    const PixelRect& rect = chart.ChartRect();
    const int line = rect.Left;
    int ticks = 0;
    int grid = 0;
    int minor = 0;
    for (const auto& call : canvas.Of(Op::Line)) {
        if (call.box.Left == line - 1 && call.box.Right == line - 5 &&
            call.box.Top == call.box.Bottom) {
            ++ticks;
            EXPECT_EQ(call.pen.Color, clGray);
        }
        if (call.box.Left == line - 1 && call.box.Right == line - 3)
            ++minor;
        if (call.box.Left == rect.Left && call.box.Right == rect.Right &&
            call.pen.Style == PenStyle::Dot)
            ++grid;
    }
    EXPECT_EQ(ticks, 11);
    EXPECT_EQ(grid, 11);
    // Three between each pair of labels; none beyond the ends, which lie on the axis ends.
    EXPECT_EQ(minor, 30);
}

} // namespace
} // namespace kvarzel
