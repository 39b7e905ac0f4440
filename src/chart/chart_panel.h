// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_notify.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/text_layout_cache.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace kvarzel {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A mouse drag in progress: where the button went down and where the pointer is now.
struct TZoomPanningRecord {
    bool Active = false;
    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;

    void Activate(int x, int y);
    // Swaps the ends so that (X0, Y0) is the top-left corner.
    void Check();
};

// The chart's window: colour, bevels, margins and the off-screen bitmap that every paint
// copies to the screen; the bitmap is redrawn only after a change.
class ChartPanel : public QWidget, public ChartNotify {
public:
    explicit ChartPanel(QWidget* parent = nullptr);

    TColor Color() const { return color_; }
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    TPanelBevel BevelInner() const { return bevelInner_; }
    int BevelWidth() const { return bevelWidth_; }
    int BorderWidth() const { return borderWidth_; }
    int MarginLeft() const { return marginLeft_; }
    int MarginTop() const { return marginTop_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    void SetColor(TColor value) { ChangeSetting(color_, value, this); }
    void SetBevelOuter(TPanelBevel value) { ChangeSetting(bevelOuter_, value, this); }
    void SetBevelInner(TPanelBevel value) { ChangeSetting(bevelInner_, value, this); }
    void SetBevelWidth(int value) { ChangeSetting(bevelWidth_, value, this); }
    void SetBorderWidth(int value) { ChangeSetting(borderWidth_, value, this); }
    void SetMarginLeft(int value) { ChangeSetting(marginLeft_, value, this); }
    void SetMarginTop(int value) { ChangeSetting(marginTop_, value, this); }
    void SetMarginRight(int value) { ChangeSetting(marginRight_, value, this); }
    void SetMarginBottom(int value) { ChangeSetting(marginBottom_, value, this); }

    // Marks the bitmap stale and asks for a repaint.
    void Invalidate() override;
    bool Dirty() const { return dirty_; }
    const QImage& Bitmap() const { return bitmap_; }
    // Redraws the bitmap if it is stale or of the wrong size, at the screen's device pixel
    // ratio or at the given one.
    void UpdateBitmap();
    void UpdateBitmap(qreal ratio);
    // One complete drawing of the chart into any canvas over the given bounds.
    void Draw(Canvas& canvas, const PixelRect& bounds);

    const PixelRect& ChartBounds() const { return chartBounds_; }
    const PixelRect& ChartRect() const { return chartRect_; }
    int ChartWidth() const { return chartRect_.Width(); }
    int ChartHeight() const { return chartRect_.Height(); }
    int ChartXCenter() const { return (chartRect_.Left + chartRect_.Right) / 2; }
    int ChartYCenter() const { return (chartRect_.Top + chartRect_.Bottom) / 2; }

    // Mouse drags (rectangle zoom, scrolling).
    TZoomPanningRecord Zoom;
    TZoomPanningRecord Panning;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Draws onto what the window shows, between paints: the bitmap is the window's picture, so
    // the change shows at once and lasts until the next full drawing. Nothing before a paint.
    void DrawOverWindow(const std::function<void(Canvas&)>& draw);
    void SetChartRect(const PixelRect& rect);
    // Keeps the chart rectangle inside the bounds and never empty or inverted.
    void NormalizeChartRect();
    virtual void DrawPanelBackground(Canvas& canvas);
    void DrawPanelBevels(Canvas& canvas);
    // Everything inside the bounds, in paint order; the chart rectangle holds the margins' result.
    virtual void DrawInnerChart(Canvas& canvas) = 0;

private:
    void DrawBevel(Canvas& canvas, PixelRect& box, TPanelBevel bevel, int width);

    TColor color_;
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    int marginLeft_ = 3;
    int marginTop_ = 4;
    int marginRight_ = 3;
    int marginBottom_ = 4;

    bool dirty_ = true;
    QImage bitmap_;
    // Labels and marks stay measured and laid out from one paint to the next.
    TextLayoutCache texts_;
    PixelRect chartBounds_;
    PixelRect chartRect_;
};

} // namespace kvarzel
