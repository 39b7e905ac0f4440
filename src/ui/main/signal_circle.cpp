// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/signal_circle.h"

#include "platform/drawing/image_canvas.h"

#include <QPainter>

namespace kvarzel {

SignalCircle::SignalCircle(QWidget* parent) : QWidget(parent) {}

void SignalCircle::SetBrushColor(TColor color) {
    if (color == brushColor_)
        return;
    brushColor_ = color;
    update();
}

void SignalCircle::paintEvent(QPaintEvent*) {
    // Drawn by the canvas's rules like every picture of the program: aliased,
    // the outline inside the box, clear around the disc; in the screen's device
    // pixels, so that it stays round and crisp at any scaling.
    const qreal ratio = devicePixelRatioF();
    QImage disc((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    disc.setDevicePixelRatio(ratio);
    disc.fill(Qt::transparent);
    {
        ImageCanvas canvas(disc);
        canvas.SetBrush({brushColor_, BrushStyle::Solid});
        canvas.Ellipse({0, 0, width(), height()});
    }
    QPainter(this).drawImage(0, 0, disc);
}

} // namespace kvarzel
