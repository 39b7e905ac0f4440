// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/wide_line_footprint.h"

#include <QPainter>
#include <QPen>

#include <cstdint>
#include <cstdlib>
#include <unordered_map>

namespace kvarzel {

namespace {

constexpr int kWidestFootprint = 8;
// A chart's lines come in a few hundred directions and lengths; past this many the store
// starts afresh rather than grow.
constexpr std::size_t kKeptFootprints = 4096;

PixelMask StrokeFootprint(int dx, int dy, int width) {
    const int margin = width + 2;
    const QPoint start(margin + std::max(0, -dx), margin + std::max(0, -dy));
    QImage image(std::abs(dx) + 2 * margin + 1, std::abs(dy) + 2 * margin + 1,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black, width);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(start, start + QPoint(dx, dy));
    }
    PixelMask footprint;
    std::optional<MaskPicture> picture = MaskPictureOf(image);
    if (picture && !picture->empty())
        footprint = std::move(picture->front().Mask);
    footprint.Move(-start);
    return footprint;
}

} // namespace

const PixelMask* WideLineFootprint(int dx, int dy, int width) {
    if (std::abs(dx) > kLongestFootprint || std::abs(dy) > kLongestFootprint || width < 2 ||
        width > kWidestFootprint)
        return nullptr;
    // One drawing thread paints charts; another would keep its own store.
    thread_local std::unordered_map<std::uint32_t, PixelMask> footprints;
    const auto key = static_cast<std::uint32_t>(((dx + kLongestFootprint) << 20) |
                                                ((dy + kLongestFootprint) << 8) | width);
    auto found = footprints.find(key);
    if (found == footprints.end()) {
        if (footprints.size() >= kKeptFootprints)
            footprints.clear();
        found = footprints.emplace(key, StrokeFootprint(dx, dy, width)).first;
    }
    return &found->second;
}

} // namespace kvarzel
