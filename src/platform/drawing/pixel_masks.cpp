// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/pixel_masks.h"

#include <algorithm>
#include <cstdlib>

namespace kvarzel {

void PixelMask::Set(int x, int y) {
    bounds_ |= QRect(x, y, 1, 1);
    if (rows_.empty() || rows_.back().Y != y) {
        rows_.push_back({y, x, x + 1, bits_.size()});
        bits_.push_back(1);
        return;
    }
    Row& row = rows_.back();
    // The pixels between the last set one and this one are not set.
    bits_.insert(bits_.end(), static_cast<std::size_t>(x - row.Right), 0);
    bits_.push_back(1);
    row.Right = x + 1;
}

void PixelMask::Move(QPoint offset) {
    bounds_.translate(offset);
    for (Row& row : rows_) {
        row.Y += offset.y();
        row.Left += offset.x();
        row.Right += offset.x();
    }
}

namespace {

// Without a branch per pixel, whose outcome glyphs make a guess; the compiler turns longer
// rows into vector operations. The pointers never meet.
void FillSet(QRgb* __restrict pixels, const std::uint8_t* __restrict set, std::size_t count,
             QRgb color) {
    for (std::size_t i = 0; i < count; ++i) {
        // All ones where the pixel stays, none where it is set.
        const QRgb keep = static_cast<QRgb>(set[i]) - 1U;
        pixels[i] = (pixels[i] & keep) | (color & ~keep);
    }
}

// Origins further out than this are handled with wide arithmetic, as they come.
constexpr int kNearOrigin = 1 << 24;

ColorMask& MaskOfColor(MaskPicture& picture, QRgb color) {
    for (ColorMask& mask : picture)
        if (mask.Color == color)
            return mask;
    picture.push_back({color, {}});
    return picture.back();
}

} // namespace

std::optional<MaskPicture> MaskPictureOf(const QImage& picture) {
    const QImage pixels = picture.format() == QImage::Format_ARGB32_Premultiplied
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    MaskPicture result;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const int alpha = qAlpha(row[x]);
            if (alpha == 0)
                continue;
            if (alpha != 255)
                return std::nullopt;
            MaskOfColor(result, row[x]).Mask.Set(x, y);
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
    : bits_(image.bits()), stride_(image.bytesPerLine()), image_(image.rect()) {
    SetClip(std::nullopt);
}

void PixelWriter::SetClip(const std::optional<QRect>& clip) {
    bounds_ = clip ? image_.intersected(*clip) : image_;
    left_ = bounds_.left();
    top_ = bounds_.top();
    // An empty rectangle has no pixels, whatever its corners say.
    right_ = bounds_.isEmpty() ? left_ : bounds_.right() + 1;
    bottom_ = bounds_.isEmpty() ? top_ : bounds_.bottom() + 1;
}

void PixelWriter::FillRect(const QRect& box, QRgb color) {
    const QRect inside = box.intersected(bounds_);
    if (inside.isEmpty())
        return;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        QRgb* pixels = line(y);
        std::fill(pixels + inside.left(), pixels + inside.right() + 1, color);
    }
}

void PixelWriter::FillMask(const PixelMask& mask, QPoint origin, QRgb color) {
    const bool near = std::abs(origin.x()) < kNearOrigin && std::abs(origin.y()) < kNearOrigin;
    if (!near || !bounds_.contains(mask.Bounds().translated(origin))) {
        fillClippedMask(mask, origin, color);
        return;
    }
    // Wholly inside: no row needs cutting.
    for (const PixelMask::Row& row : mask.Rows())
        FillSet(line(origin.y() + row.Y) + origin.x() + row.Left, mask.Bits(row),
                static_cast<std::size_t>(row.Right - row.Left), color);
}

void PixelWriter::fillClippedMask(const PixelMask& mask, QPoint origin, QRgb color) {
    // Wide enough that no origin a caller can give overflows.
    const std::int64_t originX = origin.x();
    const std::int64_t originY = origin.y();
    const std::int64_t top = bounds_.top();
    const std::int64_t bottom = bounds_.bottom();
    const std::int64_t left = bounds_.left();
    const std::int64_t right = bounds_.right() + 1;
    for (const PixelMask::Row& row : mask.Rows()) {
        const std::int64_t y = originY + row.Y;
        if (y < top || y > bottom)
            continue;
        const std::int64_t rowLeft = originX + row.Left;
        const std::int64_t from = std::max(rowLeft, left);
        const std::int64_t to = std::min(originX + row.Right, right);
        if (from >= to)
            continue;
        FillSet(line(static_cast<int>(y)) + from, mask.Bits(row) + (from - rowLeft),
                static_cast<std::size_t>(to - from), color);
    }
}

void PixelWriter::FillPicture(const MaskPicture& picture, QPoint origin) {
    for (const ColorMask& mask : picture)
        FillMask(mask.Mask, origin, mask.Color);
}

} // namespace kvarzel
