// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/chart_gesture_fixture.h"

#include <QApplication>
#include <QWheelEvent>

#include <string>
#include <vector>

namespace kvarzel::testing {
namespace {

class ChartScrollTest : public ChartGestureTest {
protected:
    std::string AxisName(const TCustomChartAxis* axis) {
        if (axis == &Chart().BottomAxis())
            return "bottom";
        if (axis == &Chart().TopAxis())
            return "top";
        if (axis == &Chart().LeftAxis())
            return "left";
        return axis == &Chart().RightAxis() ? "right" : "depth";
    }
};

TEST_F(ChartScrollTest, TheViewFollowsThePointerExactlyBothWays) {
    TChartAxis& bottom = Chart().BottomAxis();
    TChartAxis& left = Chart().LeftAxis();
    const QPoint start = Inside(150, 100);
    // The value under the pointer when the button went down stays under it.
    const double grabbedX = bottom.PixelToValue(start.x());
    const double grabbedY = left.PixelToValue(start.y());
    host.Press(Qt::RightButton, start);
    for (const int dx : {-10, -30, 25, 0}) {
        host.MoveTo(start + QPoint(dx, 0));
        EXPECT_NEAR(bottom.PixelToValue(start.x() + dx), grabbedX, 1e-12) << dx;
        EXPECT_NEAR(bottom.Maximum() - bottom.Minimum(), 6, 1e-12);
    }
    EXPECT_NEAR(bottom.Minimum(), 0, 1e-12);
    EXPECT_NEAR(bottom.Maximum(), 6, 1e-12);
    // Dragging left showed larger values, dragging down shows them too.
    for (const int dy : {10, 40, -15, 0}) {
        host.MoveTo(start + QPoint(0, dy));
        EXPECT_NEAR(left.PixelToValue(start.y() + dy), grabbedY, 1e-12) << dy;
        if (dy == 40) {
            EXPECT_GT(left.Minimum(), 0);
        }
    }
    EXPECT_NEAR(left.Minimum(), 0, 1e-12);
    EXPECT_NEAR(left.Maximum(), 100, 1e-12);
    host.Release(Qt::RightButton, start);
    EXPECT_FALSE(Chart().Dirty()) << "every step was painted";
}

TEST_F(ChartScrollTest, LeavingTheChartRectangleEndsTheScrollForGood) {
    TChartAxis& bottom = Chart().BottomAxis();
    host.Press(Qt::RightButton, Inside(150, 100));
    host.MoveTo(Inside(140, 100));
    const double min = bottom.Minimum();
    host.MoveTo({Rect().Left - 1, Rect().Top + 100});
    EXPECT_FALSE(Chart().Panning.Active);
    host.MoveTo(Inside(100, 100));
    host.MoveTo(Inside(60, 60));
    EXPECT_EQ(bottom.Minimum(), min);
    host.Release(Qt::RightButton, Inside(60, 60));
    // Out of the window altogether, the same.
    host.Press(Qt::RightButton, Inside(150, 100));
    host.MoveTo({-20, 100});
    host.MoveTo(Inside(100, 100));
    EXPECT_EQ(bottom.Minimum(), min);
    host.Release(Qt::RightButton, Inside(100, 100));
}

TEST_F(ChartScrollTest, EveryAxisOfTheDirectionIsAskedInListOrder) {
    std::vector<std::string> asked;
    Chart().OnAllowScroll = [&](TCustomChartAxis* axis, double&, double&, bool&) {
        asked.push_back(AxisName(axis));
    };
    int scrolls = 0;
    Chart().OnScroll = [&] { ++scrolls; };
    // Fixed pixels: scrolling the left axis changes its labels and so the chart rectangle.
    const QPoint start = Inside(150, 100);
    host.Press(Qt::RightButton, start);
    host.MoveTo(start + QPoint(-10, -10));
    EXPECT_EQ(asked, (std::vector<std::string>{"bottom", "top", "left", "right"}));
    asked.clear();
    host.MoveTo(start + QPoint(-20, -10));
    EXPECT_EQ(asked, (std::vector<std::string>{"bottom", "top"}));
    asked.clear();
    host.MoveTo(start + QPoint(-20, -20));
    EXPECT_EQ(asked, (std::vector<std::string>{"left", "right"}));
    host.Release(Qt::RightButton, start + QPoint(-20, -20));
    EXPECT_EQ(scrolls, 3);
}

TEST_F(ChartScrollTest, TheHookMayChangeOrForbidEachAxisMove) {
    Chart().OnAllowScroll = [&](TCustomChartAxis* axis, double& min, double& max, bool& allow) {
        if (axis == &Chart().LeftAxis())
            allow = false;
        if (axis == &Chart().BottomAxis()) {
            min = -1;
            max = 9;
        }
    };
    host.Drag(Qt::RightButton, Inside(150, 100), Inside(140, 80));
    ExpectRange(Chart().BottomAxis(), -1, 9);
    ExpectRange(Chart().LeftAxis(), 0, 100);
}

class ChartWheelTest : public ChartScrollTest {
protected:
    // Returns whether the chart took the notch.
    bool Turn(int delta) {
        QWheelEvent wheel(QPointF(Inside(50, 50)), QPointF(), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Chart(), &wheel);
        return wheel.isAccepted();
    }
};

TEST_F(ChartWheelTest, OnlyAFocusedChartTurnsEachNotchIntoThreePercentOfTheVerticalAxes) {
    EXPECT_FALSE(Turn(-120)) << "left to the window around the chart";
    ExpectRange(Chart().LeftAxis(), 0, 100);
    Chart().setFocusPolicy(Qt::StrongFocus);
    Chart().setFocus();
    ASSERT_TRUE(Chart().hasFocus());
    Chart().RightAxis().SetRange(10, 20);
    EXPECT_TRUE(Turn(-120)); // towards the user: larger values
    ExpectRange(Chart().LeftAxis(), 3, 103);
    ExpectRange(Chart().RightAxis(), 10.3, 20.3);
    ExpectRange(Chart().BottomAxis(), 0, 6);
    Turn(60);
    ExpectRange(Chart().LeftAxis(), 3, 103);
    Turn(90); // 150: one notch away from the user, 30 kept
    ExpectRange(Chart().LeftAxis(), 0, 100);
    Turn(90);
    ExpectRange(Chart().LeftAxis(), -3, 97);
    EXPECT_TRUE(Chart().RangesRestored()) << "the wheel saves nothing for an undo";
}

} // namespace
} // namespace kvarzel::testing
