// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/chart_mouse_host.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace kvarzel::testing {

ChartMouseHost::ChartMouseHost(int chartWidth, int chartHeight) : chart_(new TChart(&window_)) {
    window_.resize(chartWidth + 2 * kChartOffset.x(), chartHeight + 2 * kChartOffset.y());
    chart_->setGeometry(kChartOffset.x(), kChartOffset.y(), chartWidth, chartHeight);
    window_.show();
    (void)QTest::qWaitForWindowExposed(&window_);
    Settle();
}

QPoint ChartMouseHost::InWindow(QPoint at) const {
    return chart_->mapTo(&window_, at);
}

void ChartMouseHost::Press(Qt::MouseButton button, QPoint at) {
    QTest::mousePress(window_.windowHandle(), button, {}, InWindow(at));
    Settle();
}

void ChartMouseHost::MoveTo(QPoint at) {
    QTest::mouseMove(window_.windowHandle(), InWindow(at));
    Settle();
}

void ChartMouseHost::Release(Qt::MouseButton button, QPoint at) {
    QTest::mouseRelease(window_.windowHandle(), button, {}, InWindow(at));
    Settle();
}

void ChartMouseHost::Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    Press(button, from);
    MoveTo(to);
    Release(button, to);
}

void ChartMouseHost::Settle() {
    QApplication::processEvents();
}

} // namespace kvarzel::testing
