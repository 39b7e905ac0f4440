// SPDX-License-Identifier: GPL-3.0-or-later
// The training page's picture and the program icon: compiled in, of the
// sizes the window layout counts on, and truly two-colour.
#include "ui/art/icon_render.h"
#include "ui/art/program_icon.h"
#include "ui/art/two_colour_render.h"
#include "ui/main/bucket_picture.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

// The application the test program's main has made.
using BucketPictureTest = ::testing::Test;

double BlackShare(const QImage& image) {
    qint64 black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            black += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    return double(black) / (double(image.width()) * image.height());
}

int PixelsOtherThanBlackOrWhite(const QImage& image) {
    int others = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            others += pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255) ? 0 : 1;
        }
    }
    return others;
}

TEST_F(BucketPictureTest, HasTheSizeTheWindowLayoutAssumes) {
    const QImage picture = BucketPicture();
    ASSERT_FALSE(picture.isNull()) << "the picture resource is not compiled in";
    EXPECT_EQ(picture.size(), QSize(311, 238));
}

TEST_F(BucketPictureTest, HasOnlyPureBlackAndPureWhitePixels) {
    EXPECT_EQ(PixelsOtherThanBlackOrWhite(BucketPicture()), 0);
}

TEST_F(BucketPictureTest, IsALineDrawingNotABlankOrAFloodedImage) {
    const double share = BlackShare(BucketPicture());
    EXPECT_GT(share, 0.05);
    EXPECT_LT(share, 0.35);
}

TEST_F(BucketPictureTest, KeepsThePlacesOfTheAnswerButtonsClearOfLines) {
    // A button hides whatever lies under it; the drawing keeps those places empty.
    const QImage picture = BucketPicture();
    for (const QRect& button : {QRect(12, 187, 75, 25), QRect(226, 187, 75, 25)}) {
        EXPECT_EQ(BlackShare(picture.copy(button)), 0.0) << "button at " << button.x();
    }
}

TEST_F(BucketPictureTest, DrawsTheLargeBucketUnderTheSignalCircle) {
    // The bucket's outline runs down both sides of the circle's place.
    const QImage picture = BucketPicture();
    const QRect circle(140, 60, 40, 40);
    EXPECT_GT(BlackShare(picture.copy(circle.left() - 12, circle.top(), 12, circle.height())), 0.0);
    EXPECT_GT(BlackShare(picture.copy(circle.right() + 1, circle.top(), 12, circle.height())), 0.0);
}

TEST_F(BucketPictureTest, OneIconSizeComesFromTheBuildOrIsDrawnWhenTheBuildHasNone) {
    const QImage built = ProgramIconImage(48);
    EXPECT_EQ(built.size(), QSize(48, 48));
    EXPECT_EQ(built, ProgramIcon().pixmap(48).toImage().convertToFormat(built.format()));
    const QImage drawn = ProgramIconImage(40);
    EXPECT_EQ(drawn.size(), QSize(40, 40));
    EXPECT_GT(BlackShare(drawn), 0.05);
}

TEST_F(BucketPictureTest, OnAHiDpiScreenIsDrawnAfreshAtTheScreensRatio) {
    const QImage doubled = BucketPicture(2);
    EXPECT_EQ(doubled.size(), QSize(622, 476));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(doubled.deviceIndependentSize(), QSizeF(311, 238));
    EXPECT_EQ(PixelsOtherThanBlackOrWhite(doubled), 0);
    EXPECT_NEAR(BlackShare(doubled), BlackShare(BucketPicture()), 0.05);
    const QImage scaledUp =
        BucketPicture().scaled(doubled.size()).convertToFormat(doubled.format());
    EXPECT_NE(doubled, scaledUp) << "the picture is only pixel-doubled";
    EXPECT_EQ(BucketPicture(1.5).size(), QSize(467, 357));
    EXPECT_EQ(BucketPicture(1).devicePixelRatio(), 1.0);
}

TEST_F(BucketPictureTest, TheBuildsPictureIsTheDrawingItself) {
    EXPECT_EQ(BucketPicture(), RenderTwoColour(QStringLiteral(":/art/bucket.svg"), QSize(311, 238),
                                               Background::White));
}

TEST_F(BucketPictureTest, IsRenderedOnceAndShared) {
    EXPECT_EQ(BucketPicture().cacheKey(), BucketPicture().cacheKey());
}

TEST_F(BucketPictureTest, ProgramIconHasEverySizeTheSystemAsksFor) {
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    for (const int side : {16, 24, 32, 48, 64, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

// Pixels of a size of the icon: opaque black or white, partly covered (the smooth edges), and
// neither grey nor clear.
struct IconPixels {
    int solid = 0;
    int edges = 0;
    int coloured = 0;
};

IconPixels CountIconPixels(const QImage& image) {
    IconPixels count;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool grey = qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
            count.coloured += grey ? 0 : 1;
            if (qAlpha(pixel) == 255 && (qRed(pixel) == 0 || qRed(pixel) == 255))
                ++count.solid;
            else if (qAlpha(pixel) != 0)
                ++count.edges;
        }
    }
    return count;
}

// Up to 16 pixels the icon is the small drawing in black and white; above it the large drawing
// with smooth edges, which reduced to black and white again is the same picture.
TEST_F(BucketPictureTest, SmallIconsAreBlackAndWhiteLargerOnesTheSamePictureWithSmoothEdges) {
    const QIcon icon = ProgramIcon();
    for (const QSize& size : icon.availableSizes()) {
        SCOPED_TRACE(size.width());
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        const IconPixels pixels = CountIconPixels(image);
        EXPECT_EQ(pixels.coloured, 0);
        EXPECT_GT(pixels.solid + pixels.edges, size.width() * size.height() / 4);
        EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0);
        if (IconLookAt(size.width()) == IconLook::SmallDrawing) {
            EXPECT_EQ(pixels.edges, 0);
            continue;
        }
        EXPECT_GT(pixels.edges, size.width()) << "no smooth edges";
        const QImage twoColour =
            RenderTwoColour(QStringLiteral(":/art/icon.svg"), size, Background::Transparent);
        int same = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb smooth = image.pixel(x, y);
                const QRgb reduced = twoColour.pixel(x, y);
                const bool bothClear = qAlpha(smooth) < 128 && qAlpha(reduced) == 0;
                const bool sameShade = qAlpha(smooth) >= 128 && qAlpha(reduced) == 255 &&
                                       (qGray(smooth) < 128) == (qGray(reduced) < 128);
                same += bothClear || sameShade ? 1 : 0;
            }
        EXPECT_GT(same, size.width() * size.height() * 9 / 10);
    }
    EXPECT_EQ(IconLookAt(16), IconLook::SmallDrawing);
    EXPECT_EQ(IconLookAt(24), IconLook::LargeSmooth);
}

} // namespace
} // namespace kvarzel
