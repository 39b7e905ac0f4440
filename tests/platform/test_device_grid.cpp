// SPDX-License-Identifier: GPL-3.0-or-later
// Logical pixels on the device pixels of a scaled screen: edges on whole device pixels, and
// every pen equally thick wherever it draws.
#include "platform/drawing/device_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kvarzel {
namespace {

struct Scale {
    qreal ratio;
    int thinPen; // device pixels of a one-pixel pen
    int twoPixelPen;
};

const std::vector<Scale> scales = {{1.0, 1, 2},  {1.25, 1, 3}, {1.5, 2, 3},
                                   {1.75, 2, 4}, {2.0, 2, 4},  {3.0, 3, 6}};

TEST(DeviceGridTest, PensGetTheNearestWholeNumberOfDevicePixels) {
    for (const Scale& scale : scales) {
        const DeviceGrid grid(scale.ratio);
        EXPECT_EQ(grid.PenWidth(0), scale.thinPen) << scale.ratio;
        EXPECT_EQ(grid.PenWidth(1), scale.thinPen) << scale.ratio;
        EXPECT_EQ(grid.PenWidth(2), scale.twoPixelPen) << scale.ratio;
    }
}

TEST(DeviceGridTest, EdgesRiseByTheRatioRoundedEitherWayAndBoxesTile) {
    for (const Scale& scale : scales) {
        SCOPED_TRACE(scale.ratio);
        const DeviceGrid grid(scale.ratio);
        EXPECT_EQ(grid.Edge(0), 0);
        for (int x = -300; x < 300; ++x) {
            const int step = grid.Edge(x + 1) - grid.Edge(x);
            ASSERT_GE(step, int(std::floor(scale.ratio))) << x;
            ASSERT_LE(step, int(std::ceil(scale.ratio))) << x;
            ASSERT_LE(std::abs(grid.Edge(x) - x * scale.ratio), 0.5) << x;
            // Neighbouring boxes meet without a gap or an overlap.
            const QRect left = grid.Box({x, 5, 3, 2});
            const QRect right = grid.Box({x + 3, 5, 4, 2});
            ASSERT_EQ(left.left() + left.width(), right.left()) << x;
            ASSERT_EQ(left.top(), right.top());
            ASSERT_EQ(left.height(), right.height());
        }
    }
}

TEST(DeviceGridTest, ALinePixelIsThePensWidthAcrossAndItsLogicalPixelAlong) {
    for (const Scale& scale : scales) {
        SCOPED_TRACE(scale.ratio);
        const DeviceGrid grid(scale.ratio);
        using Direction = DeviceGrid::Direction;
        for (int at = 0; at < 40; ++at) {
            const QRect cell = grid.Box({at, at + 1, 1, 1});
            const QRect level = grid.LinePixel(at, at + 1, Direction::Level);
            EXPECT_EQ(level, QRect(cell.left(), cell.top(), cell.width(), scale.thinPen));
            const QRect upright = grid.LinePixel(at, at + 1, Direction::Upright, 2);
            EXPECT_EQ(upright, QRect(cell.left(), cell.top(), scale.twoPixelPen, cell.height()));
            // A slanting line leaves no device pixel of its logical pixels out.
            const QRect slanting = grid.LinePixel(at, at + 1, Direction::Slanting);
            EXPECT_TRUE(slanting.contains(cell));
            EXPECT_EQ(slanting.width(), std::max(cell.width(), scale.thinPen));
        }
    }
}

TEST(DeviceGridTest, AnOutlinesRightAndBottomLieWhereLinesAlongTheLastPixelsLie) {
    for (const Scale& scale : scales) {
        SCOPED_TRACE(scale.ratio);
        const DeviceGrid grid(scale.ratio);
        for (const int pen : {1, 2}) {
            for (int left = 0; left < 12; ++left) {
                const QRect box(left, 2 * left, 10 + left, 7);
                const QRect outline = grid.OutlineBox(box, pen);
                EXPECT_EQ(outline.topLeft(), grid.Box(box).topLeft());
                const int lastColumn = box.left() + box.width() - pen;
                EXPECT_EQ(outline.left() + outline.width(),
                          grid.Edge(lastColumn) + grid.PenWidth(pen));
                const int lastRow = box.top() + box.height() - pen;
                EXPECT_EQ(outline.top() + outline.height(),
                          grid.Edge(lastRow) + grid.PenWidth(pen));
                if (scale.ratio == 1.0) {
                    EXPECT_EQ(outline, box);
                }
            }
        }
    }
}

TEST(DeviceGridTest, DevicePixelsBackInLogicalCoordinatesLandOnTheSameEdges) {
    for (const Scale& scale : scales) {
        const DeviceGrid grid(scale.ratio);
        const QRectF logical = grid.Logical(QRect(7, 11, 5, 3));
        EXPECT_NEAR(logical.left() * scale.ratio, 7, 1e-9);
        EXPECT_NEAR(logical.bottom() * scale.ratio, 14, 1e-9);
        EXPECT_NEAR(grid.Logical(QPointF(9, 3)).x() * scale.ratio, 9, 1e-9);
    }
    // A ratio that is no ratio at all draws as at one device pixel per pixel.
    EXPECT_EQ(DeviceGrid(0).Ratio(), 1.0);
}

} // namespace
} // namespace kvarzel
