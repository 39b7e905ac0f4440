// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_gradient.h"
#include "chart/chart_panel.h"

#include <functional>

namespace kvarzel {

class TCustomChartAxis;

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// Asked before an axis scrolls: the handler may change the proposed ends or forbid the move.
using TChartAllowScrollEvent =
    std::function<void(TCustomChartAxis* sender, double& min, double& max, bool& allowScroll)>;
using TNotifyEvent = std::function<void()>;

// The panel with its background gradient and the mouse zoom and scroll settings.
class GradientPanel : public ChartPanel {
public:
    explicit GradientPanel(QWidget* parent = nullptr) : ChartPanel(parent), gradient_(this) {}

    TChartGradient& Gradient() { return gradient_; }

    bool AllowZoom() const { return allowZoom_; }
    TPanningMode AllowPanning() const { return allowPanning_; }
    bool AnimatedZoom() const { return animatedZoom_; }
    int AnimatedZoomSteps() const { return animatedZoomSteps_; }
    void SetAllowZoom(bool value) { allowZoom_ = value; }
    void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
    void SetAnimatedZoom(bool value) { animatedZoom_ = value; }
    void SetAnimatedZoomSteps(int value) { animatedZoomSteps_ = value; }

    TChartAllowScrollEvent OnAllowScroll;
    TNotifyEvent OnZoom;
    TNotifyEvent OnUndoZoom;
    TNotifyEvent OnScroll;

protected:
    void DrawPanelBackground(Canvas& canvas) override {
        if (gradient_.Visible())
            gradient_.Draw(canvas, ChartBounds());
        else
            ChartPanel::DrawPanelBackground(canvas);
    }

private:
    TChartGradient gradient_;
    bool allowZoom_ = true;
    TPanningMode allowPanning_ = pmBoth;
    bool animatedZoom_ = false;
    int animatedZoomSteps_ = 8;
};

} // namespace kvarzel
