// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvarzel {

// Which pixels of a small picture are set, row by row: each row keeps the stretch from its
// first to its last set pixel, a byte per pixel.
class PixelMask {
public:
    struct Row {
        int Y = 0;
        int Left = 0;
        // The first column after the stretch.
        int Right = 0;
        std::size_t Offset = 0;
    };

    // Sets the pixel at (x, y); rows must come in ascending order, pixels in a row too.
    void Set(int x, int y);
    // The same pixels moved by `offset`.
    void Move(QPoint offset);
    bool IsEmpty() const { return rows_.empty(); }
    // The smallest rectangle holding every set pixel.
    const QRect& Bounds() const { return bounds_; }
    const std::vector<Row>& Rows() const { return rows_; }
    const std::uint8_t* Bits(const Row& row) const { return bits_.data() + row.Offset; }
    bool operator==(const PixelMask&) const = default;

private:
    std::vector<Row> rows_;
    std::vector<std::uint8_t> bits_;
    QRect bounds_;
};

// The pixels of one opaque colour in a picture.
struct ColorMask {
    QRgb Color = 0;
    PixelMask Mask;
};

// A picture of whole, opaque pixels kept as a mask per colour: drawing it again writes those
// pixels and nothing else, exactly as copying the picture with its transparent ground would.
using MaskPicture = std::vector<ColorMask>;

// The masks of `picture`, by colour in order of first appearance; nothing when a pixel is
// partly transparent, which masks cannot give back.
std::optional<MaskPicture> MaskPictureOf(const QImage& picture);

// Writes opaque colours straight into an image's pixels, as a painter filling with an opaque
// colour in its ordinary mode would, within a clip rectangle: a painter's cost of setting up
// each fill is far above that of the few pixels a small mark or line has.
class PixelWriter {
public:
    // Whether an opaque colour is stored as 0xffRRGGBB in images of this format.
    static bool Supports(const QImage& image);

    // The image must stay where it is while the writer is used: a painter open on it holds
    // it detached.
    explicit PixelWriter(QImage& image);

    // Pixels outside `clip` (and always those outside the image) are left alone.
    void SetClip(const std::optional<QRect>& clip);
    const QRect& Bounds() const { return bounds_; }

    void SetPixel(int x, int y, QRgb color) {
        if (left_ <= x && x < right_ && top_ <= y && y < bottom_)
            line(y)[x] = color;
    }
    void FillRect(const QRect& box, QRgb color);
    void FillMask(const PixelMask& mask, QPoint origin, QRgb color);
    void FillPicture(const MaskPicture& picture, QPoint origin);

private:
    QRgb* line(int y) { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }
    void fillClippedMask(const PixelMask& mask, QPoint origin, QRgb color);

    uchar* bits_;
    qsizetype stride_;
    QRect image_;
    QRect bounds_;
    // The bounds as plain numbers, right and bottom the first outside.
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
};

} // namespace kvarzel
