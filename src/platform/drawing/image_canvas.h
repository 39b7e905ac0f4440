// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/canvas.h"
#include "platform/drawing/device_grid.h"
#include "platform/drawing/pixel_masks.h"
#include "platform/drawing/text_layout_cache.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kvarzel {

// The canvas over an image; the image must be Format_RGB32 for the NOT-XOR pen to work. Texts
// are measured and laid out through `texts`, which may outlive the canvas; without one the
// canvas keeps its own. Coordinates are the image's logical pixels: an image with a device
// pixel ratio other than 1 (a HiDPI or scaled screen) gets the same drawing in finer detail,
// snapped to whole device pixels, a one-pixel line as wide as one logical pixel rounded to
// whole device pixels, the same everywhere.
class ImageCanvas final : public Canvas {
public:
    explicit ImageCanvas(QImage& image, TextLayoutCache* texts = nullptr);
    ~ImageCanvas() override;

    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const PixelRect& box) override;
    void Ellipse(const PixelRect& box) override;
    void FillRect(const PixelRect& box) override;
    void TextOut(int x, int y, const QString& text) override;
    TextExtent MeasureText(const QString& text) override;
    void SetClipRect(const PixelRect& box) override;
    void RemoveClip() override;

private:
    // The pen as the painter holds it: thin pens have width 0; on a scaled image every pen is
    // cosmetic, its width in device pixels.
    struct PainterPen {
        TColor Color = clBlack;
        PenStyle Style = PenStyle::Solid;
        int Width = 0;
        bool Cosmetic = false;
        bool operator==(const PainterPen&) const = default;
    };

    // A shape drawn with one pen and brush at one size.
    struct ShapeKey {
        int Width = 0;
        int Height = 0;
        PainterPen Pen;
        CanvasBrush Brush;
        bool operator==(const ShapeKey&) const = default;
    };

    static PainterPen painterPenOf(const CanvasPen& pen);
    static QPen toQPen(const PainterPen& pen);
    static QBrush toQBrush(const CanvasBrush& brush);
    // Each hands the painter a new state only when it differs from the one it holds: a new pen
    // or brush costs more than many of the small shapes drawn with it.
    void usePen(const PainterPen& pen);
    void applyPen();
    void applyBrush();
    void applyMode(PenMode mode);
    // The text store with the canvas's current font selected.
    TextLayoutCache& texts();
    // Fills a box with an opaque colour in the current mode.
    void fillBox(const QRect& box, TColor color);
    // The same for a box of device pixels of a scaled image.
    void fillDeviceBox(const QRect& box, TColor color);
    // Whether pixels may be written straight into the image: at one image pixel per drawing
    // pixel, in the copying mode.
    bool writesPixels() const;
    void strokeOutline(const PixelRect& box);
    void thinLine(int x1, int y1, int x2, int y2);
    void scaledThinLine(int x1, int y1, int x2, int y2);
    void scaledEllipse(const PixelRect& box);
    // A wide solid line copied from its stroked pixels, when the painter would not have to
    // cut it at the clip; false when it has to be stroked.
    bool copyWideLine(int x1, int y1, int x2, int y2);
    void drawText(QPoint origin, const LaidOutText& text);
    struct EllipsePicture {
        QImage Image;
        // The same pixels as masks, when they are all opaque.
        std::optional<MaskPicture> Masks;
    };
    // The current pen and brush's ellipse filling a box of this size, on a transparent ground.
    const EllipsePicture& ellipsePicture(int width, int height);

    QPainter painter_;
    std::optional<PixelWriter> pixels_;
    bool scaled_ = false;
    // How logical pixels land on the device pixels of a scaled image.
    DeviceGrid grid_{1.0};
    // Texts and ellipses are copied from pictures of them, which is exact at one image pixel
    // per drawing pixel only.
    bool pictures_ = true;
    std::unique_ptr<TextLayoutCache> ownTexts_;
    TextLayoutCache* texts_;
    std::optional<CanvasFont> selectedFont_;
    std::optional<PainterPen> painterPen_;
    std::optional<CanvasBrush> painterBrush_;
    std::optional<PenMode> painterMode_;
    std::vector<std::pair<ShapeKey, EllipsePicture>> ellipses_;
};

} // namespace kvarzel
