// SPDX-License-Identifier: GPL-3.0-or-later
// What the canvas keeps from one drawing call to the next: the painter's pen, brush and mode,
// pictures of drawn texts, and the texts themselves. None of it may change a pixel.
#include "test_support/painter_text.h"
#include "test_support/test_application.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace kvarzel {
namespace {

using testing::kSilver;

class CanvasReuseTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }

    static QImage Blank() {
        QImage image(120, 40, QImage::Format_RGB32);
        image.fill(kSilver);
        return image;
    }
};

TEST_F(CanvasReuseTest, TextFromItsPictureHasThePaintersOwnPixels) {
    const CanvasFont marks{QStringLiteral("Arial"), 13, true, clGreen};
    const CanvasFont labels{QStringLiteral("Arial"), 11, false, clBlack};
    const CanvasFont red{QStringLiteral("Arial"), 13, true, clRed};
    const QRect clip(10, 6, 70, 20);
    TextLayoutCache store;
    for (const CanvasFont& font : {marks, labels, red, marks}) {
        for (const QString& text : {QStringLiteral("66,67"), QStringLiteral("1 234,5"),
                                    QStringLiteral("Wj"), QStringLiteral("Кварзель")}) {
            const int width = QFontMetrics(ToQFont(font)).horizontalAdvance(text);
            // Whole, cut by the clip on the left and at the top, and drawn a second time.
            for (const QPoint at : {QPoint(20, 10), QPoint(4, 2), QPoint(20, 10)}) {
                QImage image = Blank();
                {
                    ImageCanvas canvas(image, &store);
                    canvas.SetFont(font);
                    canvas.SetClipRect(
                        {clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1});
                    canvas.SetTextAlign(TextAlign::Center);
                    canvas.TextOut(at.x() + width / 2, at.y(), text);
                }
                // The painter's own text drawing, as the canvas did it before it kept pictures.
                EXPECT_EQ(image, testing::PainterText(image.size(), font, at, text, clip))
                    << text.toStdString() << " at " << at.x() << "," << at.y();
            }
        }
    }
}

TEST_F(CanvasReuseTest, EachDrawingGetsItsOwnPenBrushAndMode) {
    QImage image = Blank();
    {
        ImageCanvas canvas(image);
        canvas.SetPen({clRed});
        canvas.Line(2, 2, 12, 7); // pixel by pixel
        canvas.SetPen({clBlack});
        canvas.SetBrush({clGreen, BrushStyle::Solid});
        canvas.Ellipse({20, 2, 30, 12});
        canvas.SetPen({clRed, PenStyle::Solid, 2});
        canvas.Line(40, 5, 60, 5);
        canvas.SetFont({QStringLiteral("Arial"), 13, true, clBlue});
        canvas.TextOut(70, 2, QStringLiteral("8"));
        canvas.SetPen({clRed});
        canvas.Line(2, 20, 12, 25);
        canvas.SetPen({clWhite, PenStyle::Solid, 1, PenMode::NotXor});
        canvas.Line(2, 30, 12, 30);
        canvas.SetPen({clRed});
        canvas.Line(2, 35, 12, 35);
        canvas.SetPen({clBlack});
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Ellipse({20, 20, 30, 30});
    }
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(25, 7), qRgb(0, 0x80, 0));
    EXPECT_EQ(image.pixel(20, 7), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(45, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 20), qRgb(255, 0, 0));
    // NOT(white XOR silver) is silver again; the red line after it is copied, not inverted.
    EXPECT_EQ(image.pixel(5, 30), kSilver);
    EXPECT_EQ(image.pixel(5, 35), qRgb(255, 0, 0));
    // A clear brush after a solid one: the circle's inside keeps the background.
    EXPECT_EQ(image.pixel(25, 25), kSilver);
    EXPECT_EQ(image.pixel(20, 25), qRgb(0, 0, 0));
    bool blueText = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 65; x < 90; ++x)
            blueText = blueText || image.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blueText);
}

TEST_F(CanvasReuseTest, LevelAndUprightLinesLeaveOutTheirEndInEitherDirection) {
    for (const PenMode mode : {PenMode::Copy, PenMode::NotXor}) {
        QImage image = Blank();
        {
            ImageCanvas canvas(image);
            canvas.SetPen({clBlack, PenStyle::Solid, 1, mode});
            canvas.Line(10, 5, 30, 5);
            canvas.Line(30, 8, 10, 8);
            canvas.Line(40, 2, 40, 30);
            canvas.Line(45, 30, 45, 2);
        }
        const QRgb ink = mode == PenMode::Copy ? qRgb(0, 0, 0) : qRgb(0x3F, 0x3F, 0x3F);
        for (int x = 0; x < 38; ++x) {
            EXPECT_EQ(image.pixel(x, 5) == ink, x >= 10 && x < 30) << x;
            EXPECT_EQ(image.pixel(x, 8) == ink, x > 10 && x <= 30) << x;
        }
        for (int y = 0; y < 40; ++y) {
            EXPECT_EQ(image.pixel(40, y) == ink, y >= 2 && y < 30) << y;
            EXPECT_EQ(image.pixel(45, y) == ink, y > 2 && y <= 30) << y;
        }
    }
}

// The painter's own ellipse, as the canvas drew every one before it kept pictures of them.
QImage PainterEllipse(const PixelRect& box, const CanvasPen& pen, const CanvasBrush& brush) {
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(kSilver);
    QPainter painter(&image);
    painter.setPen(pen.Style == PenStyle::Clear ? QPen(Qt::NoPen) : QPen(ToQColor(pen.Color), 0));
    painter.setBrush(ToQColor(brush.Color));
    if (pen.Style == PenStyle::Clear)
        painter.drawEllipse(QRect(box.Left, box.Top, box.Width(), box.Height()));
    else
        painter.drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
    return image;
}

TEST_F(CanvasReuseTest, EllipsesFromTheirPictureHaveThePaintersOwnPixels) {
    const CanvasBrush green{0x408000, BrushStyle::Solid};
    for (const CanvasPen& pen : {CanvasPen{clBlack}, CanvasPen{clBlack, PenStyle::Clear}}) {
        for (const int size : {6, 7, 40}) {
            for (int left = -3; left < 12; ++left) {
                for (const int top : {-2, 0, 1, 5}) {
                    const PixelRect box{left * 7, top, left * 7 + size, top + size};
                    QImage image = Blank();
                    {
                        ImageCanvas canvas(image);
                        canvas.SetPen(pen);
                        canvas.SetBrush(green);
                        canvas.Ellipse(box);
                    }
                    EXPECT_EQ(image, PainterEllipse(box, pen, green))
                        << size << " at " << box.Left << "," << box.Top;
                }
            }
        }
    }
}

TEST_F(CanvasReuseTest, AFinerImageGetsFinerTextAndEllipsesNotEnlargedPictures) {
    QImage fine(240, 80, QImage::Format_RGB32);
    fine.setDevicePixelRatio(2);
    const auto draw = [&](QImage& image) {
        image.fill(kSilver);
        ImageCanvas canvas(image);
        canvas.SetPen({clBlack});
        canvas.SetBrush({clGreen, BrushStyle::Solid});
        canvas.Ellipse({60, 4, 100, 38});
        canvas.SetFont({QStringLiteral("Arial"), 13, true, clBlack});
        canvas.TextOut(2, 2, QStringLiteral("Кварзель"));
    };
    draw(fine);
    // An enlarged picture paints every pixel in pairs; drawn finer, some column of the text
    // or of the circle's outline differs from the column beside it.
    bool finerDetail = false;
    for (int x = 0; x + 1 < fine.width() && !finerDetail; x += 2)
        for (int y = 0; y < fine.height() && !finerDetail; ++y)
            finerDetail = fine.pixel(x, y) != fine.pixel(x + 1, y);
    EXPECT_TRUE(finerDetail);
}

TEST(TextLayoutCacheEviction, TheTextUsedLongestAgoMakesRoom) {
    testing::TestApplication();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    TextLayoutCache store;
    store.Select(font);
    // A mark on a kept entry shows whether it is still the same entry later.
    const auto markedText = [&](int i) -> LaidOutText& { return store.Text(QString::number(i)); };
    for (int i = 0; i < TextLayoutCache::MaxTexts; ++i)
        markedText(i).PictureColor = clRed;
    markedText(0); // used again: now the most recent
    store.Text(QStringLiteral("new"));
    EXPECT_EQ(store.Size(), TextLayoutCache::MaxTexts);
    EXPECT_EQ(markedText(0).PictureColor, clRed);
    EXPECT_EQ(markedText(2).PictureColor, clRed);
    // Text 1 was the oldest and went; asked for again, it is measured afresh.
    LaidOutText& again = markedText(1);
    EXPECT_EQ(again.PictureColor, clNone);
    EXPECT_EQ(again.Width, QFontMetrics(font).horizontalAdvance(QStringLiteral("1")));
    EXPECT_EQ(store.Size(), TextLayoutCache::MaxTexts);
}

} // namespace
} // namespace kvarzel
