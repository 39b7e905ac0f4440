// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/art/two_colour_render.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kvarzel {

namespace {

constexpr int kHalf = 128;

QRgb TwoColourPixel(QRgb pixel, Background background) {
    if (background == Background::Transparent && qAlpha(pixel) < kHalf) {
        return qRgba(0, 0, 0, 0);
    }
    // Premultiplied pixels over an empty background: blend onto white first.
    const int alpha = qAlpha(pixel);
    const int gray =
        qGray(qRed(pixel) + 255 - alpha, qGreen(pixel) + 255 - alpha, qBlue(pixel) + 255 - alpha);
    return gray < kHalf ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

void ReduceToTwoColours(QImage& image, Background background) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = TwoColourPixel(line[x], background);
        }
    }
}

} // namespace

QImage RenderTwoColour(const QString& svgFile, QSize size, Background background) {
    QSvgRenderer renderer(svgFile);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background == Background::White ? Qt::white : Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    ReduceToTwoColours(image, background);
    return image.convertToFormat(background == Background::White ? QImage::Format_RGB32
                                                                 : QImage::Format_ARGB32);
}

} // namespace kvarzel
