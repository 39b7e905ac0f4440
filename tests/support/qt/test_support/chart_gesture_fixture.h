// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_presets.h"
#include "test_support/chart_mouse_host.h"

#include <gtest/gtest.h>

#include <QPoint>

namespace kvarzel::testing {

// The results chart's configuration with five points, shown in a window and driven by the
// mouse. Pixels are given relative to the chart rectangle of the last paint.
class ChartGestureTest : public ::testing::Test {
protected:
    ChartGestureTest() {
        TLineSeries& series = ConfigureIntuitionChart(Chart());
        const double percentages[] = {50, 60, 70, 80, 90};
        for (int i = 0; i < 5; ++i)
            series.AddPoint(i + 1, percentages[i]);
        Chart().BottomAxis().SetMaximum(6);
        host.Settle();
    }

    TChart& Chart() { return host.Chart(); }
    const PixelRect& Rect() { return Chart().ChartRect(); }
    // A pixel `dx` right of and `dy` below the chart rectangle's top-left corner.
    QPoint Inside(int dx, int dy) { return {Rect().Left + dx, Rect().Top + dy}; }

    static void ExpectRange(const TCustomChartAxis& axis, double min, double max) {
        EXPECT_DOUBLE_EQ(axis.Minimum(), min);
        EXPECT_DOUBLE_EQ(axis.Maximum(), max);
    }
    void ExpectUnzoomed() {
        ExpectRange(Chart().BottomAxis(), 0, 6);
        ExpectRange(Chart().LeftAxis(), 0, 100);
    }

    ChartMouseHost host{317, 207};
};

} // namespace kvarzel::testing
