#include "platform/wide_line_footprint.h"

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

std::vector<PixelRun> StrokeFootprint(int dx, int dy, int width) {
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
    std::vector<PixelRun> runs;
    const std::optional<RunPicture> picture = RunPictureOf(image);
    if (picture && !picture->empty())
        runs = std::move(picture->front().Runs);
    for (PixelRun& run : runs) {
        run.Y -= start.y();
        run.Left -= start.x();
        run.Right -= start.x();
    }
    return runs;
}

} // namespace

const std::vector<PixelRun>* WideLineFootprint(int dx, int dy, int width) {
    if (std::abs(dx) > kLongestFootprint || std::abs(dy) > kLongestFootprint || width < 2 ||
        width > kWidestFootprint)
        return nullptr;
    // One drawing thread paints charts; another would keep its own store.
    thread_local std::unordered_map<std::uint32_t, std::vector<PixelRun>> footprints;
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
