// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/image_canvas.h"

#include <QPainter>
#include <QStaticText>

namespace kvarzel::testing {

constexpr QRgb kSilver = 0xFFC0C0C0;

// A silver image with a text drawn by the painter's own means, cut to `clip` unless that is
// null: the pixels the canvas must give, however it gets them.
inline QImage PainterText(QSize size, const CanvasFont& font, QPoint origin, const QString& text,
                          const QRect& clip = {}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kSilver);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    if (!clip.isNull())
        painter.setClipRect(clip);
    painter.setFont(ToQFont(font));
    painter.setPen(ToQColor(font.Color));
    QStaticText shaped(text);
    shaped.setTextFormat(Qt::PlainText);
    shaped.prepare(QTransform(), ToQFont(font));
    painter.drawStaticText(origin, shaped);
    return image;
}

} // namespace kvarzel::testing
