#include "ui/main/signal_shape.h"

#include "platform/canvas.h"

#include <QPainter>

namespace kvarzel {

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::SetBrushColor(TColor color) {
    if (color == brushColor_)
        return;
    brushColor_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ToQColor(brushColor_));
    // The outline lies inside the box, as the platform's ellipse does.
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace kvarzel
