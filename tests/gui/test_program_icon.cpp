// The program icon is drawn size by size, when a size is first asked for.
#include "ui/main/bucket_picture.h"
#include "ui/main/program_icon_engine.h"

#include <QIcon>
#include <QPixmap>
#include <gtest/gtest.h>

#include <vector>

namespace kvarzel {
namespace {

struct CountingRenderer {
    std::vector<int> sides;
    ProgramIconEngine::Renderer Renderer() {
        return [this](int side) {
            sides.push_back(side);
            QImage image(side, side, QImage::Format_ARGB32);
            image.fill(Qt::black);
            return image;
        };
    }
};

TEST(ProgramIconEngine, DrawsASizeOnlyWhenAskedAndThenKeepsIt) {
    CountingRenderer renderer;
    const QIcon icon(new ProgramIconEngine({QSize(16, 16), QSize(32, 32)}, renderer.Renderer()));
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    EXPECT_TRUE(renderer.sides.empty());
    EXPECT_EQ(icon.pixmap(32).size(), QSize(32, 32));
    EXPECT_EQ(icon.pixmap(32).size(), QSize(32, 32));
    EXPECT_EQ(renderer.sides, std::vector<int>{32});
    // A size between the listed ones is drawn at that size, not scaled from another.
    EXPECT_EQ(icon.pixmap(QSize(20, 24)).size(), QSize(20, 20));
    EXPECT_EQ(renderer.sides, (std::vector<int>{32, 20}));
    EXPECT_TRUE(icon.pixmap(QSize(0, 0)).isNull());
}

TEST(ProgramIconEngine, ADisabledIconIsTheSameSizeGreyedByTheStyle) {
    CountingRenderer renderer;
    const QIcon icon(new ProgramIconEngine({QSize(16, 16)}, renderer.Renderer()));
    const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.size(), QSize(16, 16));
    EXPECT_NE(disabled.pixel(8, 8), qRgb(0, 0, 0));
    EXPECT_EQ(renderer.sides, std::vector<int>{16});
}

TEST(ProgramIconEngine, ProgramIconOfEverySizeMatchesItsImage) {
    const QIcon icon = ProgramIcon();
    for (const int side : {16, 48}) {
        EXPECT_EQ(icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32),
                  ProgramIconImage(side).convertToFormat(QImage::Format_ARGB32))
            << side;
    }
}

} // namespace
} // namespace kvarzel
