// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/art/icon_render.h"

#include "ui/art/two_colour_render.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kvarzel {
namespace {

constexpr int kLargestSmallDrawing = 16;

} // namespace

IconLook IconLookAt(int size) {
    return size <= kLargestSmallDrawing ? IconLook::SmallDrawing : IconLook::LargeSmooth;
}

QImage RenderSmoothIcon(const QString& svg, int size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage RenderProgramIcon(const QString& smallSvg, const QString& largeSvg, int size) {
    if (IconLookAt(size) == IconLook::SmallDrawing)
        return RenderTwoColour(smallSvg, QSize(size, size), Background::Transparent);
    return RenderSmoothIcon(largeSvg, size);
}

} // namespace kvarzel
