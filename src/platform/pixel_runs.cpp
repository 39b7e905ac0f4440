#include "platform/pixel_runs.h"

#include <algorithm>
#include <cstdint>

namespace kvarzel {

namespace {

ColorRuns& RunsOfColor(RunPicture& picture, QRgb color) {
    for (ColorRuns& runs : picture)
        if (runs.Color == color)
            return runs;
    picture.push_back({color, {}});
    return picture.back();
}

} // namespace

std::optional<RunPicture> RunPictureOf(const QImage& picture) {
    const QImage pixels = picture.format() == QImage::Format_ARGB32_Premultiplied
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RunPicture result;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = 0;
        while (x < pixels.width()) {
            const QRgb color = line[x];
            const int alpha = qAlpha(color);
            if (alpha == 0) {
                ++x;
                continue;
            }
            if (alpha != 255)
                return std::nullopt;
            const int left = x;
            while (x < pixels.width() && line[x] == color)
                ++x;
            RunsOfColor(result, color).Runs.push_back({y, left, x});
        }
    }
    return result;
}

bool PixelWriter::Supports(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

PixelWriter::PixelWriter(QImage& image)
    : bits_(image.bits()), stride_(image.bytesPerLine()), image_(image.rect()), bounds_(image_) {}

void PixelWriter::SetClip(const std::optional<QRect>& clip) {
    bounds_ = clip ? image_.intersected(*clip) : image_;
}

void PixelWriter::fillRow(int y, int left, int right, QRgb color) {
    auto* line = reinterpret_cast<QRgb*>(bits_ + y * stride_);
    std::fill(line + left, line + right, color);
}

void PixelWriter::FillRect(const QRect& box, QRgb color) {
    const QRect inside = box.intersected(bounds_);
    if (inside.isEmpty())
        return;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        fillRow(y, inside.left(), inside.right() + 1, color);
}

void PixelWriter::FillRuns(const std::vector<PixelRun>& runs, QPoint origin, QRgb color) {
    const int top = bounds_.top();
    const int bottom = bounds_.bottom();
    const int left = bounds_.left();
    const int right = bounds_.right() + 1;
    // Wide enough that no origin a caller can give overflows.
    const std::int64_t originX = origin.x();
    const std::int64_t originY = origin.y();
    for (const PixelRun& run : runs) {
        const std::int64_t y = originY + run.Y;
        if (y < top || y > bottom)
            continue;
        const std::int64_t from = std::max<std::int64_t>(originX + run.Left, left);
        const std::int64_t to = std::min<std::int64_t>(originX + run.Right, right);
        if (from < to)
            fillRow(static_cast<int>(y), static_cast<int>(from), static_cast<int>(to), color);
    }
}

void PixelWriter::FillPicture(const RunPicture& picture, QPoint origin) {
    for (const ColorRuns& runs : picture)
        FillRuns(runs.Runs, origin, runs.Color);
}

} // namespace kvarzel
