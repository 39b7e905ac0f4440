// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

namespace kvarzel {

// Where a drawing made in logical pixels lands on an image whose device pixel ratio is not a
// whole number (a screen scaled to 125 %, 150 % or 175 %). Every logical pixel edge is moved to
// the nearest device pixel edge, so that boxes still tile without gaps or overlaps, and every
// pen gets a whole number of device pixels, the same wherever it draws: left to the painter, a
// one-pixel line at 150 % would be one device pixel thick in one place and two in the next.
class DeviceGrid {
public:
    explicit DeviceGrid(qreal ratio);

    qreal Ratio() const { return ratio_; }
    // The device pixel at which the logical pixel `logical` begins.
    int Edge(int logical) const;
    // The device pixels across a pen `logicalWidth` pixels wide; a thin pen (0 or 1) is one
    // logical pixel wide.
    int PenWidth(int logicalWidth) const;

    // The device pixels of a box of logical pixels.
    QRect Box(const QRect& logical) const;
    // The device pixels of a logical pixel of a line drawn with a pen `width` logical pixels
    // wide: along a level or upright line it covers its logical pixel, across it the pen's
    // device width, starting where the logical pixel starts. A slanting line's pixels cover at
    // least their logical pixel in both directions, so that the line has no gaps.
    enum class Direction { Level, Upright, Slanting };
    QRect LinePixel(int x, int y, Direction direction, int width = 1) const;
    // The outer edge of a box's outline drawn with a pen `width` logical pixels wide: its right
    // and bottom strips lie where lines along the box's last pixels inside would lie.
    QRect OutlineBox(const QRect& logical, int width) const;

    // Device pixels as logical coordinates: a shape with these edges, painted without
    // antialiasing, covers exactly those device pixels.
    QRectF Logical(const QRect& device) const;
    QPointF Logical(QPointF device) const;

private:
    qreal ratio_;
};

} // namespace kvarzel
