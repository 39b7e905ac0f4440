// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart.h"
#include "test_support/test_application.h"

#include <QPoint>
#include <QWidget>

namespace kvarzel::testing {

// A shown window with a chart inside it, driven by the window system's own mouse events: the
// toolkit routes them, keeps the pointer captured while a button is down, and tells the chart
// when the pointer leaves it. Points are in the chart's pixels; the window leaves room around
// the chart so that the pointer can leave it.
class ChartMouseHost : WithApplication {
public:
    ChartMouseHost(int chartWidth, int chartHeight);

    TChart& Chart() { return *chart_; }
    void Press(Qt::MouseButton button, QPoint at);
    void MoveTo(QPoint at);
    void Release(Qt::MouseButton button, QPoint at);
    // Press, one move to the end point, release there.
    void Drag(Qt::MouseButton button, QPoint from, QPoint to);
    // Lets the queued repaint happen.
    void Settle();

    static constexpr QPoint kChartOffset{40, 30};

private:
    QPoint InWindow(QPoint at) const;

    QWidget window_;
    TChart* chart_;
};

} // namespace kvarzel::testing
