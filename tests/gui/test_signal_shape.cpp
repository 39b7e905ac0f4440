// SPDX-License-Identifier: GPL-3.0-or-later
// The signal circle as it reaches the screen: an aliased disc in its fill
// colour with a black outline, inside its box, clear around it.
#include "platform/drawing/canvas.h"
#include "ui/main/signal_circle.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>

namespace kvarzel {
namespace {

QImage Rendered(TColor fill) {
    SignalCircle shape;
    shape.resize(40, 40);
    shape.SetBrushColor(fill);
    QImage image(shape.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    shape.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

TEST(SignalShapeTest, DiscInTheFillColourWithABlackOutline) {
    const QImage image = Rendered(clRed);
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
    // The box is right and bottom exclusive: the outline runs through 0 and 39.
    for (const QPoint edge : {QPoint(0, 20), QPoint(20, 0), QPoint(39, 20), QPoint(20, 39)})
        EXPECT_EQ(image.pixel(edge), qRgb(0, 0, 0)) << edge.x() << "," << edge.y();
    EXPECT_EQ(image.pixel(1, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(38, 20), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corners stay clear";
}

TEST(SignalShapeTest, OnlyTheFillTheOutlineAndClearPixels) {
    const QImage image = Rendered(clGreen);
    const std::set<QRgb> allowed{qRgb(0, 128, 0), qRgb(0, 0, 0), qRgba(0, 0, 0, 0)};
    int others = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            others += allowed.count(image.pixel(x, y)) ? 0 : 1;
    EXPECT_EQ(others, 0) << "no blended edge pixels";
}

} // namespace
} // namespace kvarzel
