// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/device_grid.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kvarzel {

DeviceGrid::DeviceGrid(qreal ratio) : ratio_(ratio > 0 ? ratio : 1.0) {}

int DeviceGrid::Edge(int logical) const {
    // Far-away coordinates of lines that leave the image must not overflow.
    const double device = std::floor(logical * ratio_ + 0.5);
    return static_cast<int>(std::clamp(device, double(INT_MIN / 4), double(INT_MAX / 4)));
}

int DeviceGrid::PenWidth(int logicalWidth) const {
    return std::max(1, static_cast<int>(std::floor(std::max(1, logicalWidth) * ratio_ + 0.5)));
}

QRect DeviceGrid::Box(const QRect& logical) const {
    const int left = Edge(logical.left());
    const int top = Edge(logical.top());
    return {left, top, Edge(logical.left() + logical.width()) - left,
            Edge(logical.top() + logical.height()) - top};
}

QRect DeviceGrid::LinePixel(int x, int y, Direction direction, int width) const {
    const int across = PenWidth(width);
    const QRect cell = Box({x, y, 1, 1});
    switch (direction) {
    case Direction::Level:
        return {cell.left(), cell.top(), cell.width(), across};
    case Direction::Upright:
        return {cell.left(), cell.top(), across, cell.height()};
    case Direction::Slanting:
        break;
    }
    return {cell.left(), cell.top(), std::max(across, cell.width()),
            std::max(across, cell.height())};
}

QRect DeviceGrid::OutlineBox(const QRect& logical, int width) const {
    const int pen = std::max(1, width);
    const int across = PenWidth(pen);
    const int left = Edge(logical.left());
    const int top = Edge(logical.top());
    const int right = std::max(left + 1, Edge(logical.left() + logical.width() - pen) + across);
    const int bottom = std::max(top + 1, Edge(logical.top() + logical.height() - pen) + across);
    return {left, top, right - left, bottom - top};
}

QRectF DeviceGrid::Logical(const QRect& device) const {
    return {device.x() / ratio_, device.y() / ratio_, device.width() / ratio_,
            device.height() / ratio_};
}

QPointF DeviceGrid::Logical(QPointF device) const {
    return device / ratio_;
}

} // namespace kvarzel
