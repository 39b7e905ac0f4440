// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart.h"
#include "chart/chart_exceptions.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kvarzel {
namespace {

class AxisMappingTest : public ::testing::Test, testing::WithApplication {
protected:
    // Lays an axis over the rectangle with a manual range, as a paint would.
    void Place(TCustomChartAxis& axis, double min, double max, const PixelRect& rect) {
        axis.SetRange(min, max);
        if (max == min) { // SetRange keeps the ends apart; set them directly for a zero range
            axis.SetMinimum(min);
            axis.SetMaximum(max);
        }
        axis.CalcEffectiveRange();
        axis.CalcPixelExtent(rect);
    }

    TChart chart;
};

TEST_F(AxisMappingTest, HorizontalAxisGrowsRightVerticalAxisGrowsUp) {
    TChartAxis& bottom = chart.BottomAxis();
    Place(bottom, 0, 6, {27, 4, 314, 187});
    EXPECT_EQ(bottom.IStartPos(), 27);
    EXPECT_EQ(bottom.IEndPos(), 314);
    EXPECT_EQ(bottom.IAxisSize(), 287);
    EXPECT_EQ(bottom.ValueToPixel(0), 27);
    EXPECT_EQ(bottom.ValueToPixel(6), 314);
    EXPECT_EQ(bottom.ValueToPixel(3), 27 + 144); // 143.5 goes to the even neighbour
    EXPECT_DOUBLE_EQ(bottom.PixelToValue(27), 0);
    EXPECT_NEAR(bottom.PixelToValue(314), 6, 1e-12);

    TChartAxis& left = chart.LeftAxis();
    Place(left, 0, 100, {27, 4, 314, 187});
    EXPECT_EQ(left.ValueToPixel(100), 4);
    EXPECT_EQ(left.ValueToPixel(0), 187);
    EXPECT_EQ(left.ValueToPixel(50), 187 - 92); // 91.5 goes to the even neighbour
    EXPECT_NEAR(left.PixelToValue(4), 100, 1e-12);
    EXPECT_NEAR(left.PixelToValue(187), 0, 1e-12);
}

TEST_F(AxisMappingTest, ZeroRangeMapsEverythingToTheCentre) {
    TChartAxis& bottom = chart.BottomAxis();
    Place(bottom, 0, 0, {27, 4, 314, 187});
    EXPECT_EQ(bottom.ICenterPos(), (27 + 314) / 2);
    EXPECT_EQ(bottom.ValueToPixel(0), bottom.ICenterPos());
    EXPECT_EQ(bottom.ValueToPixel(1e9), bottom.ICenterPos());
}

TEST_F(AxisMappingTest, OffsetsBeyondThirtyTwoBitsMapToTheCentre) {
    TChartAxis& bottom = chart.BottomAxis();
    Place(bottom, 0, 1, {0, 0, 1000, 10});
    EXPECT_EQ(bottom.ValueToPixel(1e7), bottom.ICenterPos());
    EXPECT_EQ(bottom.ValueToPixel(-1e7), bottom.ICenterPos());
    EXPECT_EQ(bottom.ValueToPixel(std::numeric_limits<double>::quiet_NaN()), bottom.ICenterPos());
    EXPECT_EQ(bottom.ValueToPixel(2e6), 2000000000);
}

TEST_F(AxisMappingTest, OffsetsNearTheLimitStayFarOffInsteadOfWrappingAround) {
    TChartAxis& bottom = chart.BottomAxis();
    Place(bottom, 0, 1, {1000, 0, 2000, 10});
    EXPECT_EQ(bottom.ValueToPixel(2147483.0), std::numeric_limits<int>::max());
    TChartAxis& left = chart.LeftAxis();
    Place(left, 0, 1, {0, 1000, 10, 2000});
    EXPECT_EQ(left.ValueToPixel(-2147483.0), std::numeric_limits<int>::max());
    EXPECT_EQ(left.ValueToPixel(2147483.0), 2000 - 2147483000);
}

TEST_F(AxisMappingTest, ZeroLengthAxisMapsEveryPixelToZero) {
    TChartAxis& left = chart.LeftAxis();
    Place(left, 10, 20, {0, 5, 100, 5});
    EXPECT_EQ(left.IAxisSize(), 0);
    EXPECT_EQ(left.PixelToValue(5), 0);
    EXPECT_EQ(left.PixelToValue(50), 0);
}

TEST_F(AxisMappingTest, StartAndEndPositionsTakePartOfTheRectangle) {
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetStartPosition(25);
    bottom.SetEndPosition(75);
    Place(bottom, 0, 10, {0, 0, 200, 10});
    EXPECT_EQ(bottom.IStartPos(), 50);
    EXPECT_EQ(bottom.IEndPos(), 150);
    EXPECT_EQ(bottom.ICenterPos(), 100);
}

TEST_F(AxisMappingTest, SetRangeOrdersAndSeparatesTheEnds) {
    TChartAxis& axis = chart.BottomAxis();
    axis.SetRange(5, 3);
    EXPECT_EQ(axis.Minimum(), 3);
    EXPECT_EQ(axis.Maximum(), 5);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    axis.SetRange(4, 4);
    EXPECT_EQ(axis.Minimum(), 4);
    EXPECT_EQ(axis.Maximum(), 4 + 1e-10);
}

TEST_F(AxisMappingTest, CrossingEndsFailAndLeaveTheAxisAlone) {
    TChartAxis& axis = chart.BottomAxis();
    axis.SetMaximum(3);
    EXPECT_EQ(axis.Maximum(), 3);
    try {
        axis.SetMinimum(4);
        FAIL() << "no error";
    } catch (const AxisException& error) {
        EXPECT_STREQ(error.what(), "Axis Minimum Value must be <= Maximum");
    }
    EXPECT_EQ(axis.Minimum(), 0);
    axis.SetMinimum(2);
    try {
        axis.SetMaximum(1);
        FAIL() << "no error";
    } catch (const AxisException& error) {
        EXPECT_STREQ(error.what(), "Axis Maximum Value must be >= Minimum");
    }
    EXPECT_EQ(axis.Maximum(), 3);
    axis.SetLoading(true);
    axis.SetMinimum(10);
    EXPECT_EQ(axis.Minimum(), 10);
}

TEST_F(AxisMappingTest, AutomaticFlagsFollowEachOther) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomaticMinimum(false);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_TRUE(axis.AutomaticMaximum());
    axis.SetAutomatic(true);
    EXPECT_TRUE(axis.AutomaticMinimum());
    axis.SetAutomatic(false);
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    axis.SetAutomaticMinimum(true);
    axis.SetAutomaticMaximum(true);
    EXPECT_TRUE(axis.Automatic());
}

TEST_F(AxisMappingTest, ScrollAxisMovesBothEndsAndMakesThemManual) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetMaximum(100);
    axis.ScrollAxis(-3);
    EXPECT_EQ(axis.Minimum(), -3);
    EXPECT_EQ(axis.Maximum(), 97);
    EXPECT_FALSE(axis.Automatic());
}

TEST_F(AxisMappingTest, ManualEndsAreTheEffectiveRange) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(100);
    axis.CalcEffectiveRange();
    EXPECT_EQ(axis.IMinimum(), 0);
    EXPECT_EQ(axis.IMaximum(), 100);
    EXPECT_EQ(axis.IRange(), 100);
}

TEST_F(AxisMappingTest, OnlyChangedValuesInvalidate) {
    chart.UpdateBitmap();
    ASSERT_FALSE(chart.Dirty());
    chart.LeftAxis().SetMaximum(0);
    chart.LeftAxis().Grid().SetColor(clGray);
    chart.SetMarginTop(4);
    EXPECT_FALSE(chart.Dirty());
    chart.LeftAxis().SetMaximum(100);
    EXPECT_TRUE(chart.Dirty());
    chart.UpdateBitmap();
    chart.LeftAxis().Grid().SetColor(clBlack);
    EXPECT_TRUE(chart.Dirty());
}

TEST_F(AxisMappingTest, InvalidLabelSettingsFail) {
    TChartAxis& axis = chart.LeftAxis();
    EXPECT_THROW(axis.SetIncrement(-1), AxisException);
    EXPECT_EQ(axis.Increment(), 0);
    try {
        axis.SetLabelsSeparation(-1);
        FAIL() << "no error";
    } catch (const AxisException& error) {
        EXPECT_STREQ(error.what(), "Labels Separation % must be greater than 0");
    }
    EXPECT_EQ(axis.LabelsSeparation(), 10);
    try {
        axis.SetIncrement(-0.5);
        FAIL() << "no error";
    } catch (const AxisException& error) {
        EXPECT_STREQ(error.what(), "Axis increment must be >= 0");
    }
}

} // namespace
} // namespace kvarzel
