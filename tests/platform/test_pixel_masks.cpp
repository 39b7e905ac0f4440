// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/pixel_masks.h"

#include <gtest/gtest.h>

#include <climits>

namespace kvarzel {
namespace {

constexpr QRgb kGround = 0xFFC0C0C0;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

TEST(PixelMasks, APictureSplitsIntoOneMaskPerColourAndRefusesPartlyTransparentPixels) {
    QImage picture(4, 3, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 0, kRed);
    picture.setPixel(3, 0, kRed);
    picture.setPixel(2, 2, kBlue);
    const std::optional<MaskPicture> masks = MaskPictureOf(picture);
    ASSERT_TRUE(masks.has_value());
    ASSERT_EQ(masks->size(), 2U);
    EXPECT_EQ((*masks)[0].Color, kRed);
    EXPECT_EQ((*masks)[0].Mask.Bounds(), QRect(1, 0, 3, 1));
    EXPECT_EQ((*masks)[1].Mask.Bounds(), QRect(2, 2, 1, 1));
    picture.setPixel(0, 1, qPremultiply(qRgba(255, 0, 0, 128)));
    EXPECT_FALSE(MaskPictureOf(picture).has_value());
}

// Drawn over the image's edges, past the clip or from an origin far away, a mask writes its
// own pixels inside and nothing else.
TEST(PixelMasks, FillingKeepsToTheImageAndTheClip) {
    PixelMask mask;
    for (int y = 0; y < 3; ++y)
        for (int x = y; x < 4; x += 2)
            mask.Set(x, y);
    const auto draw = [&](QPoint origin, std::optional<QRect> clip) {
        QImage image(6, 5, QImage::Format_RGB32);
        image.fill(kGround);
        PixelWriter writer(image);
        writer.SetClip(clip);
        writer.FillMask(mask, origin, kRed);
        return image;
    };
    const auto expected = [&](QPoint origin, QRect clip) {
        QImage image(6, 5, QImage::Format_RGB32);
        image.fill(kGround);
        for (int y = 0; y < 3; ++y)
            for (int x = y; x < 4; x += 2)
                if (clip.intersected(image.rect()).contains(origin + QPoint(x, y)))
                    image.setPixel(origin + QPoint(x, y), kRed);
        return image;
    };
    const QRect everywhere(-100, -100, 200, 200);
    for (const QPoint origin : {QPoint(1, 1), QPoint(-2, -1), QPoint(4, 3), QPoint(3, -2)})
        EXPECT_EQ(draw(origin, std::nullopt), expected(origin, everywhere)) << origin.x();
    EXPECT_EQ(draw({1, 1}, QRect(2, 1, 2, 2)), expected({1, 1}, QRect(2, 1, 2, 2)));
    EXPECT_EQ(draw({INT_MAX - 1, INT_MIN + 1}, std::nullopt), expected({100, 100}, everywhere));
}

} // namespace
} // namespace kvarzel
