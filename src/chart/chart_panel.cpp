// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_panel.h"

#include "chart/rounding.h"
#include "platform/drawing/image_canvas.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <utility>

namespace kvarzel {

namespace {
constexpr int kNewPanelWidth = 400;
constexpr int kNewPanelHeight = 250;
} // namespace

void TZoomPanningRecord::Activate(int x, int y) {
    X0 = X1 = x;
    Y0 = Y1 = y;
    Active = true;
}

void TZoomPanningRecord::Check() {
    if (X0 > X1)
        std::swap(X0, X1);
    if (Y0 > Y1)
        std::swap(Y0, Y1);
}

ChartPanel::ChartPanel(QWidget* parent)
    : QWidget(parent), color_(FromQColor(QApplication::palette().color(QPalette::Button))) {
    // The bitmap covers every pixel, so the window is never erased and never flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    resize(kNewPanelWidth, kNewPanelHeight);
}

void ChartPanel::Invalidate() {
    dirty_ = true;
    update();
}

void ChartPanel::resizeEvent(QResizeEvent* event) {
    dirty_ = true;
    QWidget::resizeEvent(event);
}

void ChartPanel::UpdateBitmap() {
    UpdateBitmap(devicePixelRatioF());
}

// The bitmap has the screen's device pixels, so the chart stays crisp at any scaling; the
// drawing itself, and every rule about pixels, keeps to the widget's logical pixels.
void ChartPanel::UpdateBitmap(qreal ratio) {
    const QSize size = this->size();
    const QSize devicePixels = (QSizeF(size) * ratio).toSize();
    if (bitmap_.size() != devicePixels || bitmap_.devicePixelRatio() != ratio) {
        bitmap_ = QImage(devicePixels, QImage::Format_RGB32);
        bitmap_.setDevicePixelRatio(ratio);
        dirty_ = true;
    }
    if (!dirty_)
        return;
    if (!bitmap_.isNull()) {
        ImageCanvas canvas(bitmap_, &texts_);
        Draw(canvas, {0, 0, size.width(), size.height()});
    }
    dirty_ = false;
}

void ChartPanel::paintEvent(QPaintEvent*) {
    UpdateBitmap();
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap_);
    // A chart that Tab reaches shows that it has the focus; the bitmap keeps the chart alone.
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void ChartPanel::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void ChartPanel::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void ChartPanel::DrawOverWindow(const std::function<void(Canvas&)>& draw) {
    if (bitmap_.isNull())
        return;
    {
        ImageCanvas canvas(bitmap_, &texts_);
        draw(canvas);
    }
    update();
}

void ChartPanel::Draw(Canvas& canvas, const PixelRect& bounds) {
    chartBounds_ = bounds;
    const int w = bounds.Width();
    const int h = bounds.Height();
    const int b = borderWidth_;
    chartRect_ = {bounds.Left + ScalePercent(marginLeft_, w) + b,
                  bounds.Top + ScalePercent(marginTop_, h) + b,
                  bounds.Right - b - ScalePercent(marginRight_, w),
                  bounds.Bottom - b - ScalePercent(marginBottom_, h)};
    NormalizeChartRect();
    DrawInnerChart(canvas);
}

void ChartPanel::SetChartRect(const PixelRect& rect) {
    chartRect_ = rect;
    NormalizeChartRect();
}

void ChartPanel::NormalizeChartRect() {
    PixelRect& r = chartRect_;
    r.Left = std::max(r.Left, chartBounds_.Left);
    r.Top = std::max(r.Top, chartBounds_.Top);
    if (r.Right < r.Left)
        r.Right = r.Left + 1;
    else if (r.Right == r.Left)
        r.Right = r.Left + chartBounds_.Width();
    if (r.Bottom < r.Top)
        r.Bottom = r.Top + 1;
    else if (r.Bottom == r.Top)
        r.Bottom = r.Top + chartBounds_.Height();
}

void ChartPanel::DrawPanelBackground(Canvas& canvas) {
    canvas.SetBrush({color_, BrushStyle::Solid});
    canvas.FillRect(chartBounds_);
}

// One frame `width` pixels wide just inside `box`, which then shrinks by it.
void ChartPanel::DrawBevel(Canvas& canvas, PixelRect& box, TPanelBevel bevel, int width) {
    if (bevel == bvNone || width <= 0)
        return;
    const TColor light = bevel == bvRaised ? clWhite : clGray;
    const TColor dark = bevel == bvRaised ? clGray : clWhite;
    for (int i = 0; i < width; ++i) {
        canvas.SetBrush({light, BrushStyle::Solid});
        canvas.FillRect({box.Left, box.Top, box.Right, box.Top + 1});
        canvas.FillRect({box.Left, box.Top, box.Left + 1, box.Bottom});
        canvas.SetBrush({dark, BrushStyle::Solid});
        canvas.FillRect({box.Left, box.Bottom - 1, box.Right, box.Bottom});
        canvas.FillRect({box.Right - 1, box.Top, box.Right, box.Bottom});
        box = {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
    }
}

void ChartPanel::DrawPanelBevels(Canvas& canvas) {
    PixelRect box = chartBounds_;
    DrawBevel(canvas, box, bevelOuter_, bevelWidth_);
    if (borderWidth_ > 0) {
        canvas.SetBrush({color_, BrushStyle::Solid});
        const int b = borderWidth_;
        canvas.FillRect({box.Left, box.Top, box.Right, box.Top + b});
        canvas.FillRect({box.Left, box.Bottom - b, box.Right, box.Bottom});
        canvas.FillRect({box.Left, box.Top, box.Left + b, box.Bottom});
        canvas.FillRect({box.Right - b, box.Top, box.Right, box.Bottom});
        box = {box.Left + b, box.Top + b, box.Right - b, box.Bottom - b};
    }
    DrawBevel(canvas, box, bevelInner_, bevelWidth_);
}

} // namespace kvarzel
