// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart.h"

namespace kvarzel {

namespace {
constexpr int kWheelNotch = 120;
constexpr double kWheelStepPercent = 3;
} // namespace

void TCustomChart::ZoomRect(const PixelRect& rect) {
    TChartAxis& left = LeftAxis();
    TChartAxis& right = RightAxis();
    TChartAxis& top = TopAxis();
    TChartAxis& bottom = BottomAxis();
    // All values first: every SetRange below changes what a pixel means after the next paint.
    const double leftLow = left.PixelToValue(rect.Bottom), leftHigh = left.PixelToValue(rect.Top);
    const double rightLow = right.PixelToValue(rect.Bottom);
    const double rightHigh = right.PixelToValue(rect.Top);
    const double topLow = top.PixelToValue(rect.Left), topHigh = top.PixelToValue(rect.Right);
    const double bottomLow = bottom.PixelToValue(rect.Left);
    const double bottomHigh = bottom.PixelToValue(rect.Right);
    savedRanges_.SaveOnce(*this);
    left.SetRange(leftLow, leftHigh);
    right.SetRange(rightLow, rightHigh);
    top.SetRange(topLow, topHigh);
    bottom.SetRange(bottomLow, bottomHigh);
    zoomed_ = true;
    if (OnZoom)
        OnZoom();
}

void TCustomChart::RevertZoom() {
    savedRanges_.Restore(*this);
    if (OnUndoZoom)
        OnUndoZoom();
    Invalidate();
    zoomed_ = false;
}

void TCustomChart::ScrollAxisByPixels(TCustomChartAxis& axis, int from, int to) {
    const double delta = axis.PixelToValue(from) - axis.PixelToValue(to);
    double min = axis.Minimum() + delta;
    double max = axis.Maximum() + delta;
    bool allow = true;
    if (OnAllowScroll)
        OnAllowScroll(&axis, min, max, allow);
    if (allow)
        axis.SetRange(min, max);
}

void TCustomChart::ScrollStep(int fromX, int fromY, int x, int y) {
    savedRanges_.SaveOnce(*this);
    const TPanningMode mode = AllowPanning();
    bool scrolled = false;
    if (x != fromX && (mode == pmHorizontal || mode == pmBoth)) {
        ScrollAxisByPixels(BottomAxis(), fromX, x);
        ScrollAxisByPixels(TopAxis(), fromX, x);
        scrolled = true;
    }
    if (y != fromY && (mode == pmVertical || mode == pmBoth)) {
        ScrollAxisByPixels(LeftAxis(), fromY, y);
        ScrollAxisByPixels(RightAxis(), fromY, y);
        scrolled = true;
    }
    if (!scrolled)
        return;
    if (OnScroll)
        OnScroll();
    Invalidate();
}

void TCustomChart::ScrollByWheel(int delta) {
    wheelRemainder_ += delta;
    while (wheelRemainder_ >= kWheelNotch || wheelRemainder_ <= -kWheelNotch) {
        // A notch towards the user shows larger values.
        const int towardsUser = wheelRemainder_ < 0 ? 1 : -1;
        wheelRemainder_ += towardsUser * kWheelNotch;
        for (TCustomChartAxis* axis : AxisList()) {
            if (axis->Horizontal())
                continue;
            const double range = axis->Maximum() - axis->Minimum();
            axis->ScrollAxis(towardsUser * range * kWheelStepPercent * 0.01);
        }
    }
}

} // namespace kvarzel
