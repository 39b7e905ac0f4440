#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <optional>
#include <vector>

namespace kvarzel {

// A level stretch of pixels in row Y: columns Left up to, not including, Right.
struct PixelRun {
    int Y = 0;
    int Left = 0;
    int Right = 0;
    bool operator==(const PixelRun&) const = default;
};

// The pixels of one opaque colour in a picture.
struct ColorRuns {
    QRgb Color = 0;
    std::vector<PixelRun> Runs;
};

// A picture of whole, opaque pixels kept as runs per colour: drawing it again writes those
// pixels and nothing else, exactly as copying the picture with its transparent ground would.
using RunPicture = std::vector<ColorRuns>;

// The runs of `picture` (premultiplied ARGB), by colour in order of first appearance;
// nothing when a pixel is partly transparent, which runs cannot give back.
std::optional<RunPicture> RunPictureOf(const QImage& picture);

// Writes opaque colours straight into an image's pixels, as a painter filling with an opaque
// colour in its ordinary mode would, within a clip rectangle: a painter's cost of setting up
// each fill is far above that of the few pixels a small mark or line has.
class PixelWriter {
public:
    // Whether an opaque colour is stored as 0xffRRGGBB in images of this format.
    static bool Supports(const QImage& image);

    // `bits` stays valid while a painter is open on the image, which has then detached it.
    explicit PixelWriter(QImage& image);

    // Pixels outside `clip` (and always those outside the image) are left alone.
    void SetClip(const std::optional<QRect>& clip);
    const QRect& Bounds() const { return bounds_; }

    void FillRect(const QRect& box, QRgb color);
    void FillRuns(const std::vector<PixelRun>& runs, QPoint origin, QRgb color);
    void FillPicture(const RunPicture& picture, QPoint origin);

private:
    void fillRow(int y, int left, int right, QRgb color);

    uchar* bits_;
    qsizetype stride_;
    QRect image_;
    QRect bounds_;
};

} // namespace kvarzel
