// The training page's picture and the program icon: compiled in, of the
// sizes the window layout counts on, and truly two-colour.
#include "ui/main/bucket_picture.h"
#include "ui/main/two_colour_render.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

class BucketPictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "test_bucket_picture";
            static char* argv[] = {name, nullptr};
            static QApplication application(argc, argv);
        }
    }
};

double blackShare(const QImage& image) {
    qint64 black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            black += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    return double(black) / (double(image.width()) * image.height());
}

int pixelsOtherThanBlackOrWhite(const QImage& image) {
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
    EXPECT_EQ(pixelsOtherThanBlackOrWhite(BucketPicture()), 0);
}

TEST_F(BucketPictureTest, IsALineDrawingNotABlankOrAFloodedImage) {
    const double share = blackShare(BucketPicture());
    EXPECT_GT(share, 0.05);
    EXPECT_LT(share, 0.35);
}

TEST_F(BucketPictureTest, KeepsThePlacesOfTheAnswerButtonsClearOfLines) {
    // A button hides whatever lies under it; the drawing keeps those places empty.
    const QImage picture = BucketPicture();
    for (const QRect& button : {QRect(12, 187, 75, 25), QRect(226, 187, 75, 25)}) {
        EXPECT_EQ(blackShare(picture.copy(button)), 0.0) << "button at " << button.x();
    }
}

TEST_F(BucketPictureTest, DrawsTheLargeBucketUnderTheSignalCircle) {
    // The bucket's outline runs down both sides of the circle's place.
    const QImage picture = BucketPicture();
    const QRect circle(140, 60, 40, 40);
    EXPECT_GT(blackShare(picture.copy(circle.left() - 12, circle.top(), 12, circle.height())), 0.0);
    EXPECT_GT(blackShare(picture.copy(circle.right() + 1, circle.top(), 12, circle.height())), 0.0);
}

TEST_F(BucketPictureTest, OneIconSizeComesFromTheBuildOrIsDrawnWhenTheBuildHasNone) {
    const QImage built = ProgramIconImage(48);
    EXPECT_EQ(built.size(), QSize(48, 48));
    EXPECT_EQ(built, ProgramIcon().pixmap(48).toImage().convertToFormat(built.format()));
    const QImage drawn = ProgramIconImage(40);
    EXPECT_EQ(drawn.size(), QSize(40, 40));
    EXPECT_GT(blackShare(drawn), 0.05);
}

TEST_F(BucketPictureTest, OnAHiDpiScreenIsDrawnAfreshAtTheScreensRatio) {
    const QImage doubled = BucketPicture(2);
    EXPECT_EQ(doubled.size(), QSize(622, 476));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_EQ(doubled.deviceIndependentSize(), QSizeF(311, 238));
    EXPECT_EQ(pixelsOtherThanBlackOrWhite(doubled), 0);
    EXPECT_NEAR(blackShare(doubled), blackShare(BucketPicture()), 0.05);
    const QImage scaledUp =
        BucketPicture().scaled(doubled.size()).convertToFormat(doubled.format());
    EXPECT_NE(doubled, scaledUp) << "the picture is only pixel-doubled";
    EXPECT_EQ(BucketPicture(1.5).size(), QSize(467, 357));
    EXPECT_EQ(BucketPicture(1).devicePixelRatio(), 1.0);
}

TEST_F(BucketPictureTest, TheBuildsPictureIsTheDrawingItself) {
    EXPECT_EQ(BucketPicture(), renderTwoColour(QStringLiteral(":/art/bucket.svg"), QSize(311, 238),
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

TEST_F(BucketPictureTest, ProgramIconIsTwoColourOnATransparentBackground) {
    const QIcon icon = ProgramIcon();
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        int others = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const bool clear = qAlpha(pixel) == 0;
                const bool solid = pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255);
                opaque += solid ? 1 : 0;
                others += clear || solid ? 0 : 1;
            }
        }
        EXPECT_EQ(others, 0) << size.width();
        EXPECT_GT(opaque, size.width() * size.height() / 4) << size.width();
        EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << size.width();
    }
}

} // namespace
} // namespace kvarzel
