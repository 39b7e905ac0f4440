// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/painter_text.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <random>
#include <tuple>

namespace kvarzel {
namespace {

using testing::kSilver;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::TestApplication();
        image = QImage(40, 30, QImage::Format_RGB32);
        image.fill(kSilver);
    }

    QRgb At(int x, int y) const { return image.pixel(x, y); }

    // Every pixel that differs from the silver background, as a bounding box (right and
    // bottom exclusive); empty when nothing was drawn.
    PixelRect InkBox() const {
        PixelRect box{image.width(), image.height(), 0, 0};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (At(x, y) != kSilver) {
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
                }
        return box;
    }

    QImage image;
};

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.Line(2, 2, 10, 2);
        canvas.Line(2, 5, 2, 12);
        canvas.Line(20, 2, 26, 8);
    }
    EXPECT_EQ(At(2, 2), kBlack);
    EXPECT_EQ(At(9, 2), kBlack);
    EXPECT_EQ(At(10, 2), kSilver);
    EXPECT_EQ(At(2, 5), kBlack);
    EXPECT_EQ(At(2, 11), kBlack);
    EXPECT_EQ(At(2, 12), kSilver);
    EXPECT_EQ(At(20, 2), kBlack);
    EXPECT_EQ(At(25, 7), kBlack);
    EXPECT_EQ(At(26, 8), kSilver);
}

TEST_F(CanvasTest, LinesDrawnBackwardsLeaveOutTheirOwnEndPoint) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.Line(10, 2, 2, 2);
        canvas.Line(2, 12, 2, 5);
        canvas.Line(26, 8, 20, 2);
    }
    EXPECT_EQ(At(10, 2), kBlack);
    EXPECT_EQ(At(3, 2), kBlack);
    EXPECT_EQ(At(2, 2), kSilver);
    EXPECT_EQ(At(2, 12), kBlack);
    EXPECT_EQ(At(2, 5), kSilver);
    EXPECT_EQ(At(26, 8), kBlack);
    EXPECT_EQ(At(20, 2), kSilver);
}

TEST_F(CanvasTest, NotXorLineDrawnTwiceRestoresThePixels) {
    const QImage before = image.copy();
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Solid, 1, PenMode::NotXor});
        canvas.Line(1, 1, 30, 20);
        EXPECT_EQ(At(1, 1), 0xFF3F3F3Fu); // NOT(black XOR silver)
        canvas.Line(1, 1, 30, 20);
    }
    EXPECT_EQ(image, before);
}

TEST_F(CanvasTest, LinesFromFarBeyondTheImageDrawTheirVisiblePart) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.Line(3, -2000000000, 3, 2000000000);
        canvas.Line(2000000000, 7, -2000000000, 7);
        canvas.SetPen({clBlack, PenStyle::Dot});
        canvas.Line(-100000, 20, 100000, 20);
    }
    for (int y = 0; y < image.height(); ++y)
        EXPECT_EQ(At(3, y), kBlack) << y;
    int dots = 0;
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(At(x, 7), kBlack) << x;
        dots += At(x, 20) == kBlack ? 1 : 0;
    }
    EXPECT_EQ(dots, image.width() / 2);
}

TEST_F(CanvasTest, LineOfZeroLengthDrawsNothing) {
    {
        ImageCanvas canvas(image);
        canvas.Line(5, 5, 5, 5);
    }
    EXPECT_TRUE(InkBox().IsEmpty());
}

TEST_F(CanvasTest, RectangleExcludesRightAndBottomEdges) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.SetBrush({clWhite});
        canvas.Rectangle({3, 4, 13, 10});
    }
    EXPECT_EQ(InkBox(), (PixelRect{3, 4, 13, 10}));
    EXPECT_EQ(At(3, 4), kBlack);
    EXPECT_EQ(At(12, 9), kBlack);
    EXPECT_EQ(At(12, 5), kBlack);
    EXPECT_EQ(At(4, 5), kWhite);
    EXPECT_EQ(At(11, 8), kWhite);
}

TEST_F(CanvasTest, RectangleWithClearBrushKeepsItsInside) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Rectangle({13, 10, 3, 4}); // given backwards: drawn as its normal form
    }
    EXPECT_EQ(InkBox(), (PixelRect{3, 4, 13, 10}));
    EXPECT_EQ(At(5, 6), kSilver);
}

TEST_F(CanvasTest, FillRectCoversExactlyTheBox) {
    {
        ImageCanvas canvas(image);
        canvas.SetBrush({clBlack});
        canvas.FillRect({1, 2, 6, 9});
    }
    EXPECT_EQ(InkBox(), (PixelRect{1, 2, 6, 9}));
    EXPECT_EQ(At(5, 8), kBlack);
}

TEST_F(CanvasTest, EllipseStaysInsideItsBox) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.SetBrush({clWhite});
        canvas.Ellipse({10, 10, 16, 16});
    }
    EXPECT_EQ(InkBox(), (PixelRect{10, 10, 16, 16}));
    EXPECT_EQ(At(13, 13), kWhite);
}

// A HiDPI screen: the same drawing at twice the pixels, one logical pixel a 2 x 2 square.
class ScaledCanvasTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        image = QImage(80, 60, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        image.fill(kSilver);
    }
};

TEST_F(ScaledCanvasTest, LinesAreOneLogicalPixelWideAndLeaveOutTheirEndPoint) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.Line(2, 2, 10, 2);
        canvas.SetPen({clBlack, PenStyle::Dot});
        canvas.Line(2, 5, 2, 12);
    }
    EXPECT_EQ(At(4, 4), kBlack);
    EXPECT_EQ(At(19, 5), kBlack);
    EXPECT_EQ(At(20, 4), kSilver);
    EXPECT_EQ(At(10, 6), kSilver);
    // Dots of a logical pixel each, one logical pixel apart.
    EXPECT_EQ(At(5, 11), kBlack);
    EXPECT_EQ(At(4, 12), kSilver);
    EXPECT_EQ(At(4, 14), kBlack);
    EXPECT_EQ(InkBox(), (PixelRect{4, 4, 20, 24}));
}

TEST_F(ScaledCanvasTest, EllipseStaysInsideItsBoxWithAnOutlineOfOneLogicalPixel) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.SetBrush({clWhite});
        canvas.Ellipse({10, 10, 20, 20});
    }
    EXPECT_EQ(InkBox(), (PixelRect{20, 20, 40, 40}));
    EXPECT_EQ(At(20, 30), kBlack);
    EXPECT_EQ(At(21, 30), kBlack);
    EXPECT_EQ(At(22, 30), kWhite);
    EXPECT_EQ(At(39, 30), kBlack);
}

TEST_F(ScaledCanvasTest, NotXorRectangleDrawnTwiceRestoresEveryPixelAndFramesTheBox) {
    const QImage before = image.copy();
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Solid, 1, PenMode::NotXor});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Rectangle({5, 5, 30, 20});
        EXPECT_EQ(InkBox(), (PixelRect{10, 10, 60, 40}));
        EXPECT_NE(At(11, 20), kSilver);
        EXPECT_EQ(At(12, 20), kSilver);
        canvas.Rectangle({5, 5, 30, 20});
    }
    EXPECT_EQ(image, before);
}

TEST_F(CanvasTest, NotXorRectangleDrawnTwiceRestoresEveryPixel) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
    const QImage before = image.copy();
    {
        ImageCanvas canvas(image);
        canvas.SetPen({0xC0C0C0, PenStyle::Solid, 1, PenMode::NotXor});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Rectangle({5, 5, 30, 20});
        ASSERT_NE(image, before);
        canvas.Rectangle({5, 5, 30, 20});
    }
    EXPECT_EQ(image, before);
}

// A box narrower or lower than the pen is wide is all outline, and no more.
TEST_F(CanvasTest, RectangleNarrowerThanItsPenStaysInItsBox) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Solid, 3});
        canvas.SetBrush({clWhite});
        canvas.Rectangle({10, 10, 12, 20});
        canvas.Rectangle({20, 10, 30, 11});
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inside =
                (x >= 10 && x < 12 && y >= 10 && y < 20) || (x >= 20 && x < 30 && y == 10);
            EXPECT_EQ(At(x, y), inside ? kBlack : kSilver) << x << "," << y;
        }
}

TEST_F(CanvasTest, NotXorRectangleNarrowerThanItsPenDrawnTwiceRestoresEveryPixel) {
    const QImage before = image.copy();
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Solid, 3, PenMode::NotXor});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Rectangle({10, 10, 12, 20});
        ASSERT_NE(image, before);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                EXPECT_EQ(At(x, y) != kSilver, x >= 10 && x < 12 && y >= 10 && y < 20)
                    << x << "," << y;
        canvas.Rectangle({10, 10, 12, 20});
    }
    EXPECT_EQ(image, before);
}

TEST_F(CanvasTest, SilverNotXorPenOnSilverShowsWhiteOutline) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clSilver, PenStyle::Solid, 1, PenMode::NotXor});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Rectangle({5, 5, 30, 20});
    }
    EXPECT_EQ(InkBox(), (PixelRect{5, 5, 30, 20}));
    for (int x = 5; x < 30; ++x) {
        EXPECT_EQ(At(x, 5), kWhite) << x;
        EXPECT_EQ(At(x, 19), kWhite) << x;
    }
    for (int y = 5; y < 20; ++y) {
        EXPECT_EQ(At(5, y), kWhite) << y;
        EXPECT_EQ(At(29, y), kWhite) << y;
    }
    EXPECT_EQ(At(10, 10), kSilver);
}

TEST_F(CanvasTest, DottedPenPaintsEveryOtherPixel) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Dot});
        canvas.Line(0, 3, 20, 3);
    }
    int painted = 0;
    for (int x = 0; x < 20; ++x)
        painted += At(x, 3) == kBlack ? 1 : 0;
    EXPECT_EQ(painted, 10);
    EXPECT_NE(At(0, 3) == kBlack, At(1, 3) == kBlack);
}

TEST_F(CanvasTest, ClearPenDrawsNoLineAndNoOutline) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Clear});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Line(0, 0, 20, 20);
        canvas.Rectangle({2, 2, 20, 20});
    }
    EXPECT_TRUE(InkBox().IsEmpty());
}

TEST_F(CanvasTest, ClipKeepsDrawingInsideUntilRemoved) {
    {
        ImageCanvas canvas(image);
        canvas.SetBrush({clBlack});
        canvas.SetClipRect({10, 10, 20, 20});
        canvas.FillRect({0, 0, 40, 30});
        EXPECT_EQ(InkBox(), (PixelRect{10, 10, 20, 20}));
        canvas.RemoveClip();
        canvas.FillRect({0, 0, 2, 2});
    }
    EXPECT_EQ(At(0, 0), kBlack);
}

class CanvasTextTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        image = QImage(120, 40, QImage::Format_RGB32);
        image.fill(kSilver);
    }

    PixelRect DrawAligned(TextAlign align) {
        ImageCanvas canvas(image);
        canvas.SetFont({QStringLiteral("Arial"), 13, false, clBlack});
        canvas.SetTextAlign(align);
        canvas.TextOut(60, 10, QStringLiteral("100"));
        extent = canvas.MeasureText(QStringLiteral("100"));
        return InkBox();
    }

    TextExtent extent;
};

TEST_F(CanvasTextTest, LeftAlignedTextStartsAtXBelowTheTopEdge) {
    const PixelRect ink = DrawAligned(TextAlign::Left);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 60);
    EXPECT_LE(ink.Right, 60 + extent.Width);
    EXPECT_GE(ink.Top, 10);
    EXPECT_LE(ink.Bottom, 10 + extent.Height);
}

TEST_F(CanvasTextTest, RightAlignedTextEndsAtX) {
    const PixelRect ink = DrawAligned(TextAlign::Right);
    EXPECT_LE(ink.Right, 60);
    EXPECT_GE(ink.Left, 60 - extent.Width);
    EXPECT_GT(ink.Left, 60 - extent.Width - 2 - extent.Width / 2);
}

TEST_F(CanvasTextTest, CentredTextIsCentredOnX) {
    const PixelRect ink = DrawAligned(TextAlign::Center);
    const int middle = (ink.Left + ink.Right) / 2;
    EXPECT_NEAR(middle, 60, 1);
}

TEST_F(CanvasTextTest, TextBackgroundIsTransparent) {
    const PixelRect ink = DrawAligned(TextAlign::Left);
    int background = 0;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x)
            background += At(x, y) == kSilver ? 1 : 0;
    EXPECT_GT(background, 0);
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x)
            EXPECT_TRUE(At(x, y) == kSilver || At(x, y) == kBlack);
}

TEST_F(CanvasTextTest, MeasureFollowsTheFont) {
    ImageCanvas canvas(image);
    canvas.SetFont({QStringLiteral("Arial"), 11, false, clBlack});
    const TextExtent small = canvas.MeasureText(QStringLiteral("100"));
    canvas.SetFont({QStringLiteral("Arial"), 22, false, clBlack});
    const TextExtent large = canvas.MeasureText(QStringLiteral("100"));
    EXPECT_GT(small.Width, 0);
    EXPECT_GT(large.Width, small.Width);
    EXPECT_GT(large.Height, small.Height);
    canvas.SetFont({QStringLiteral("Arial"), 22, true, clBlack});
    EXPECT_GE(canvas.MeasureText(QStringLiteral("100")).Width, large.Width);
}

TEST_F(CanvasTextTest, TextOutFollowsAFontChangeWithoutMeasuringFirst) {
    TextLayoutCache store;
    const auto inkHeight = [&](int pixels) {
        image.fill(kSilver);
        ImageCanvas canvas(image, &store);
        canvas.SetFont({QStringLiteral("Arial"), pixels, false, clBlack});
        canvas.TextOut(5, 5, QStringLiteral("100"));
        return InkBox().Height();
    };
    const int small = inkHeight(11);
    const int large = inkHeight(22);
    EXPECT_GT(large, small + 4);
    EXPECT_EQ(inkHeight(11), small);
}

// Texts are copied from the pixels of their first drawing; cut by a clip or by the image's
// edges they must keep exactly the pixels the painter gives them.
TEST_F(CanvasTextTest, ClippedTextKeepsThePaintersPixels) {
    const QString text = QStringLiteral("47,25 Wg");
    const CanvasFont font{QStringLiteral("Arial"), 13, true, clGreen};
    TextLayoutCache store;
    for (const auto& [x, y, clip] :
         {std::tuple{5, 5, QRect()}, std::tuple{-9, -6, QRect()}, std::tuple{70, 30, QRect()},
          std::tuple{5, 5, QRect(9, 8, 20, 5)}, std::tuple{5, 5, QRect(9, 8, 0, 5)}}) {
        image.fill(kSilver);
        {
            ImageCanvas canvas(image, &store);
            if (!clip.isNull())
                canvas.SetClipRect({clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1});
            canvas.SetFont(font);
            canvas.TextOut(x, y, text);
        }
        EXPECT_EQ(image, testing::PainterText(image.size(), font, {x, y}, text, clip))
            << x << "," << y;
    }
}

TEST_F(CanvasTextTest, TextColourIsTheFontColour) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.SetFont({QStringLiteral("Arial"), 13, true, clGreen});
        canvas.TextOut(5, 5, QStringLiteral("88"));
    }
    const PixelRect ink = InkBox();
    ASSERT_FALSE(ink.IsEmpty());
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x)
            EXPECT_TRUE(At(x, y) == kSilver || At(x, y) == qRgb(0, 0x80, 0));
}

TEST(TextLayoutCache, KeepsEachFontsOwnMeasure) {
    testing::TestApplication();
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(11);
    QFont large = small;
    large.setPixelSize(22);
    TextLayoutCache store;
    store.Select(small);
    const int smallWidth = store.Text(QStringLiteral("1 234,5")).Width;
    store.Select(large);
    EXPECT_EQ(store.Text(QStringLiteral("1 234,5")).Width,
              QFontMetrics(large).horizontalAdvance(QStringLiteral("1 234,5")));
    EXPECT_EQ(store.Height(), QFontMetrics(large).height());
    store.Select(small);
    EXPECT_EQ(store.Text(QStringLiteral("1 234,5")).Width, smallWidth);
    EXPECT_EQ(smallWidth, QFontMetrics(small).horizontalAdvance(QStringLiteral("1 234,5")));
    // Another separator is another text.
    EXPECT_EQ(store.Text(QStringLiteral("1.234,5")).Width,
              QFontMetrics(small).horizontalAdvance(QStringLiteral("1.234,5")));
}

TEST(TextLayoutCache, StaysWithinItsBound) {
    testing::TestApplication();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QFont other = font;
    other.setBold(true);
    TextLayoutCache store;
    store.Select(other);
    store.Text(QStringLiteral("x"));
    store.Select(font);
    for (int i = 0; i < TextLayoutCache::MaxTexts + 100; ++i) {
        store.Text(QString::number(i));
        ASSERT_LE(store.Size(), TextLayoutCache::MaxTexts);
    }
    const QFontMetrics metrics(font);
    EXPECT_EQ(store.Text(QStringLiteral("12")).Width, metrics.horizontalAdvance("12"));
    store.Select(other);
    EXPECT_EQ(store.Text(QStringLiteral("12")).Width, QFontMetrics(other).horizontalAdvance("12"));
}

TEST_F(CanvasTest, WideLinesCloseTheJointsOfAPolyline) {
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack, PenStyle::Solid, 2});
        canvas.Line(4, 4, 14, 20);
        canvas.Line(14, 20, 30, 6);
    }
    EXPECT_EQ(At(14, 20), kBlack);
    // Two pixels thick along the whole segment.
    for (int y = 6; y < 19; ++y) {
        int painted = 0;
        for (int x = 0; x < 14; ++x)
            painted += At(x, y) == kBlack ? 1 : 0;
        EXPECT_GE(painted, 2) << y;
    }
}

// Wide lines are filled as boxes (upright and level two-pixel ones) or copied from the pixels
// of one stroke of the same length and direction; the pixels must stay exactly those of the
// painter's own square-ended stroke, short, long, clipped or reaching beyond the image.
TEST_F(CanvasTest, WideLinesPaintThePaintersOwnPixels) {
    std::mt19937 random(15);
    const auto coordinate = [&random](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    for (int round = 0; round < 9000; ++round) {
        const int x1 = coordinate(-5, 45);
        const int y1 = coordinate(-5, 35);
        const int kind = round % 3;
        const int length = round % 7 == 0 ? coordinate(-3, 3) : coordinate(-40, 40);
        const int x2 = kind == 0 ? x1 : x1 + length;
        const int y2 = kind == 1 ? y1 : y1 + (kind == 0 ? length : coordinate(-40, 40));
        const int width = kind == 2 && round % 5 == 0 ? coordinate(3, 9) : 2;
        const bool clipped = round % 4 == 0;
        const PixelRect clip{coordinate(0, 15), coordinate(0, 12), coordinate(16, 40),
                             coordinate(13, 30)};
        image.fill(kSilver);
        {
            ImageCanvas canvas(image);
            if (clipped)
                canvas.SetClipRect(clip);
            canvas.SetPen({clBlack, PenStyle::Solid, width});
            canvas.Line(x1, y1, x2, y2);
        }
        QImage expected(image.size(), image.format());
        expected.fill(kSilver);
        if (x1 != x2 || y1 != y2) {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::Antialiasing, false);
            if (clipped)
                painter.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
            QPen pen(Qt::black, width);
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawLine(x1, y1, x2, y2);
        }
        ASSERT_EQ(image, expected) << x1 << "," << y1 << " to " << x2 << "," << y2 << " width "
                                   << width << (clipped ? " clipped" : "");
    }
}

TEST(RectangleOverlap, IntersectionAndDisjointRectangles) {
    EXPECT_EQ(IntersectRects({0, 0, 10, 10}, {5, 5, 20, 20}), (PixelRect{5, 5, 10, 10}));
    EXPECT_FALSE(IntersectRects({0, 0, 10, 10}, {10, 0, 20, 10}).has_value());
}

} // namespace
} // namespace kvarzel
