// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/image_canvas.h"

#include "platform/drawing/wide_line_footprint.h"

#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kvarzel {
namespace {

QRgb OpaqueRgb(TColor color) {
    return qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

QRect ToQRect(const PixelRect& box) {
    return QRect(box.Left, box.Top, box.Width(), box.Height());
}

PixelRect Normalized(const PixelRect& box) {
    return {std::min(box.Left, box.Right), std::min(box.Top, box.Bottom),
            std::max(box.Left, box.Right), std::max(box.Top, box.Bottom)};
}

} // namespace

ImageCanvas::ImageCanvas(QImage& image, TextLayoutCache* texts)
    : ownTexts_(texts ? nullptr : std::make_unique<TextLayoutCache>()),
      texts_(texts ? texts : ownTexts_.get()) {
    painter_.begin(&image);
    scaled_ = image.devicePixelRatio() != 1.0;
    grid_ = DeviceGrid(image.devicePixelRatio());
    // A picture copied onto a finer (HiDPI) image would be enlarged, not drawn finer.
    pictures_ = !scaled_;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
    // Opening on the image, the painter has made its pixels the image's own, so they stay where
    // they are while the canvas draws and can be written directly.
    if (pictures_ && painter_.isActive() && PixelWriter::Supports(image))
        pixels_.emplace(image);
}

ImageCanvas::~ImageCanvas() {
    painter_.end();
}

bool ImageCanvas::writesPixels() const {
    return pixels_ && painterMode_.value_or(PenMode::Copy) == PenMode::Copy;
}

void ImageCanvas::fillBox(const QRect& box, TColor color) {
    if (writesPixels())
        pixels_->FillRect(box, OpaqueRgb(color));
    else if (scaled_)
        fillDeviceBox(grid_.Box(box), color);
    else
        painter_.fillRect(box, ToQColor(color));
}

void ImageCanvas::fillDeviceBox(const QRect& box, TColor color) {
    painter_.fillRect(grid_.Logical(box), ToQColor(color));
}

void ImageCanvas::applyMode(PenMode mode) {
    if (painterMode_ == mode)
        return;
    painterMode_ = mode;
    painter_.setCompositionMode(mode == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                        : QPainter::CompositionMode_SourceOver);
}

ImageCanvas::PainterPen ImageCanvas::painterPenOf(const CanvasPen& pen) {
    if (pen.Style == PenStyle::Clear)
        return {clBlack, PenStyle::Clear, 0};
    return {pen.Color, pen.Style, pen.Width <= 1 ? 0 : pen.Width};
}

QPen ImageCanvas::toQPen(const PainterPen& pen) {
    if (pen.Style == PenStyle::Clear)
        return Qt::NoPen;
    QPen qpen(ToQColor(pen.Color), pen.Width);
    qpen.setCosmetic(pen.Cosmetic);
    // Square ends close the joints of a polyline drawn segment by segment, and cost far less
    // than round ones.
    if (pen.Width > 1)
        qpen.setCapStyle(Qt::SquareCap);
    if (pen.Style == PenStyle::Dot)
        qpen.setDashPattern({1.0, 1.0});
    return qpen;
}

void ImageCanvas::usePen(const PainterPen& pen) {
    if (painterPen_ == pen)
        return;
    painterPen_ = pen;
    painter_.setPen(toQPen(pen));
}

void ImageCanvas::applyPen() {
    PainterPen pen = painterPenOf(Pen());
    // A whole number of device pixels on a scaled image, the same on every line.
    if (scaled_ && pen.Style != PenStyle::Clear) {
        pen.Width = grid_.PenWidth(pen.Width);
        pen.Cosmetic = true;
    }
    usePen(pen);
}

QBrush ImageCanvas::toQBrush(const CanvasBrush& brush) {
    if (brush.Style == BrushStyle::Clear)
        return Qt::NoBrush;
    return ToQColor(brush.Color);
}

void ImageCanvas::applyBrush() {
    if (painterBrush_ == Brush())
        return;
    painterBrush_ = Brush();
    painter_.setBrush(toQBrush(Brush()));
}

namespace {

// Longer lines reach far beyond any image: walking them pixel by pixel would take for ever.
constexpr std::int64_t kLongestWalkedLine = 1 << 16;

bool Walkable(int x1, int y1, int x2, int y2) {
    const std::int64_t dx = std::abs(std::int64_t{x2} - x1);
    const std::int64_t dy = std::abs(std::int64_t{y2} - y1);
    return std::max(dx, dy) <= kLongestWalkedLine;
}

// Hands each pixel of a one-pixel line from the first point towards the second, which is left
// out, to `pixel`; a dotted line keeps every other pixel, starting with the first.
template <typename PixelFunction>
void WalkThinLine(int x1, int y1, int x2, int y2, bool dotted, PixelFunction&& pixel) {
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    const int steps = std::max(dx, dy);
    int error = (dx > dy ? dx : -dy) / 2;
    int x = x1;
    int y = y1;
    for (int i = 0; i < steps; ++i) {
        if (!dotted || i % 2 == 0)
            pixel(x, y);
        const int before = error;
        if (before > -dx) {
            error -= dy;
            x += sx;
        }
        if (before < dy) {
            error += dx;
            y += sy;
        }
    }
}

QPolygon ThinLinePixels(int x1, int y1, int x2, int y2, bool dotted) {
    QPolygon pixels;
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    pixels.reserve(dotted ? steps / 2 + 1 : steps);
    WalkThinLine(x1, y1, x2, y2, dotted, [&pixels](int x, int y) { pixels.append(QPoint(x, y)); });
    return pixels;
}

} // namespace

// The painter's own thin lines drop whichever end comes last in their own direction, not the
// line's end point: a solid upright or level line is the strip of pixels before its end, any
// other one is drawn pixel by pixel (on a scaled image each pixel a logical pixel's square).
void ImageCanvas::thinLine(int x1, int y1, int x2, int y2) {
    if (scaled_) {
        scaledThinLine(x1, y1, x2, y2);
        return;
    }
    if (Pen().Style == PenStyle::Solid && (x1 == x2 || y1 == y2)) {
        const int step = x1 == x2 ? (y1 < y2 ? 1 : -1) : (x1 < x2 ? 1 : -1);
        const int lastX = x1 == x2 ? x1 : x2 - step;
        const int lastY = x1 == x2 ? y2 - step : y1;
        const QRect strip(QPoint(std::min(x1, lastX), std::min(y1, lastY)),
                          QPoint(std::max(x1, lastX), std::max(y1, lastY)));
        fillBox(strip, Pen().Color);
        return;
    }
    const bool dotted = Pen().Style == PenStyle::Dot;
    if (writesPixels()) {
        const QRgb color = OpaqueRgb(Pen().Color);
        PixelWriter& writer = *pixels_;
        WalkThinLine(x1, y1, x2, y2, dotted,
                     [&writer, color](int x, int y) { writer.SetPixel(x, y, color); });
        return;
    }
    usePen({Pen().Color, PenStyle::Solid, 0});
    painter_.drawPoints(ThinLinePixels(x1, y1, x2, y2, dotted));
}

// Each logical pixel of the line becomes the device pixels the grid gives it, so that a level
// or upright line is equally thick along its whole length.
void ImageCanvas::scaledThinLine(int x1, int y1, int x2, int y2) {
    using Direction = DeviceGrid::Direction;
    const Direction direction =
        y1 == y2 ? Direction::Level : (x1 == x2 ? Direction::Upright : Direction::Slanting);
    const TColor color = Pen().Color;
    if (Pen().Style == PenStyle::Solid && direction != Direction::Slanting) {
        const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        const int lastX =
            direction == Direction::Level ? x1 + (x2 > x1 ? 1 : -1) * (steps - 1) : x1;
        const int lastY =
            direction == Direction::Upright ? y1 + (y2 > y1 ? 1 : -1) * (steps - 1) : y1;
        fillDeviceBox(grid_.LinePixel(x1, y1, direction) | grid_.LinePixel(lastX, lastY, direction),
                      color);
        return;
    }
    WalkThinLine(x1, y1, x2, y2, Pen().Style == PenStyle::Dot,
                 [&](int x, int y) { fillDeviceBox(grid_.LinePixel(x, y, direction), color); });
}

void ImageCanvas::Line(int x1, int y1, int x2, int y2) {
    if (Pen().Style == PenStyle::Clear || (x1 == x2 && y1 == y2))
        return;
    applyMode(Pen().Mode);
    if (Pen().Width <= 1 && Walkable(x1, y1, x2, y2)) {
        thinLine(x1, y1, x2, y2);
    } else if (Pen().Width == 2 && Pen().Style == PenStyle::Solid && Pen().Mode == PenMode::Copy &&
               !scaled_ && (x1 == x2 || y1 == y2) && Walkable(x1, y1, x2, y2) &&
               std::abs(x1) <= kLongestWalkedLine && std::abs(y1) <= kLongestWalkedLine) {
        // An upright or level two-pixel line with square ends is the box one pixel around its
        // end points on every side: the painter's own stroke paints exactly these pixels, only
        // slower.
        fillBox(QRect(QPoint(std::min(x1, x2) - 1, std::min(y1, y2) - 1),
                      QPoint(std::max(x1, x2), std::max(y1, y2))),
                Pen().Color);
    } else if (!copyWideLine(x1, y1, x2, y2)) {
        // Wide lines, and thin ones so long that one pixel at their end no longer matters.
        applyPen();
        if (scaled_)
            painter_.drawLine(grid_.Logical(QPointF(grid_.Edge(x1), grid_.Edge(y1))),
                              grid_.Logical(QPointF(grid_.Edge(x2), grid_.Edge(y2))));
        else
            painter_.drawLine(x1, y1, x2, y2);
    }
}

bool ImageCanvas::copyWideLine(int x1, int y1, int x2, int y2) {
    if (!writesPixels() || Pen().Style != PenStyle::Solid ||
        std::max(std::abs(std::int64_t{x1}), std::abs(std::int64_t{y1})) > kLongestWalkedLine ||
        !Walkable(x1, y1, x2, y2))
        return false;
    const PixelMask* footprint = WideLineFootprint(x2 - x1, y2 - y1, Pen().Width);
    if (!footprint)
        return false;
    // The painter cuts a line that leaves its clip with arithmetic of its own; such lines are
    // left to it.
    const int reach = Pen().Width + 1;
    const QRect extent(QPoint(std::min(x1, x2) - reach, std::min(y1, y2) - reach),
                       QPoint(std::max(x1, x2) + reach, std::max(y1, y2) + reach));
    if (!pixels_->Bounds().contains(extent))
        return false;
    pixels_->FillMask(*footprint, QPoint(x1, y1), OpaqueRgb(Pen().Color));
    return true;
}

namespace {

// A solid outline as four strips that never overlap, so the inverting pen inverts each pixel
// once and a second drawing restores it.
template <typename FillFunction>
void FillOutline(const PixelRect& box, int w, FillFunction&& fill) {
    const int top = std::min(box.Top + w, box.Bottom);
    const int bottom = std::max(box.Bottom - w, top);
    fill({box.Left, box.Top, box.Right, top});
    fill({box.Left, bottom, box.Right, box.Bottom});
    // A box narrower than the pen is wide is all left strip; the right one is then empty.
    const int leftEnd = std::min(box.Left + w, box.Right);
    fill({box.Left, top, leftEnd, bottom});
    fill({std::max(box.Right - w, leftEnd), top, box.Right, bottom});
}

} // namespace

void ImageCanvas::strokeOutline(const PixelRect& box) {
    const CanvasPen& pen = Pen();
    if (pen.Style == PenStyle::Dot) {
        // Four lines, each leaving out its end point, paint every outline pixel exactly once.
        Line(box.Left, box.Top, box.Right - 1, box.Top);
        Line(box.Right - 1, box.Top, box.Right - 1, box.Bottom - 1);
        Line(box.Right - 1, box.Bottom - 1, box.Left, box.Bottom - 1);
        Line(box.Left, box.Bottom - 1, box.Left, box.Top);
        return;
    }
    const int w = std::max(1, pen.Width);
    const TColor color = pen.Color;
    if (!scaled_) {
        FillOutline(box, w, [&](const PixelRect& strip) { fillBox(ToQRect(strip), color); });
        return;
    }
    const QRect outer = grid_.OutlineBox(ToQRect(box), w);
    FillOutline(
        {outer.left(), outer.top(), outer.left() + outer.width(), outer.top() + outer.height()},
        grid_.PenWidth(w), [&](const PixelRect& strip) { fillDeviceBox(ToQRect(strip), color); });
}

void ImageCanvas::Rectangle(const PixelRect& given) {
    const PixelRect box = Normalized(given);
    if (box.IsEmpty())
        return;
    const bool outlined = Pen().Style != PenStyle::Clear;
    const int inset = outlined ? std::max(1, Pen().Width) : 0;
    applyMode(Pen().Mode);
    if (Brush().Style != BrushStyle::Clear) {
        const PixelRect inside{box.Left + inset, box.Top + inset, box.Right - inset,
                               box.Bottom - inset};
        if (!inside.IsEmpty())
            fillBox(ToQRect(inside), Brush().Color);
    }
    if (outlined)
        strokeOutline(box);
    applyMode(PenMode::Copy);
}

namespace {

constexpr std::size_t kKeptEllipses = 16;

// An aliased outline covers one pixel more than the rectangle's size, so the box shrinks by one
// to keep the right and bottom edges out.
void DrawEllipseIn(QPainter& painter, const PixelRect& box, bool outlined) {
    if (outlined)
        painter.drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
    else
        painter.drawEllipse(ToQRect(box));
}

} // namespace

const ImageCanvas::EllipsePicture& ImageCanvas::ellipsePicture(int width, int height) {
    const ShapeKey key{width, height, painterPenOf(Pen()), Brush()};
    for (const auto& [drawn, picture] : ellipses_)
        if (drawn == key)
            return picture;
    // A few pens, brushes and sizes come back again and again; more are drawn once or twice.
    if (ellipses_.size() >= kKeptEllipses)
        ellipses_.clear();
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setPen(toQPen(key.Pen));
        painter.setBrush(toQBrush(key.Brush));
        DrawEllipseIn(painter, {0, 0, width, height}, key.Pen.Style != PenStyle::Clear);
    }
    std::optional<MaskPicture> masks = MaskPictureOf(picture);
    ellipses_.emplace_back(key, EllipsePicture{std::move(picture), std::move(masks)});
    return ellipses_.back().second;
}

void ImageCanvas::Ellipse(const PixelRect& given) {
    const PixelRect box = Normalized(given);
    if (box.IsEmpty())
        return;
    if (Pen().Mode == PenMode::Copy && pictures_) {
        // Aliased shapes are whole pixels or nothing: the series' many pointers of one size and
        // colour are drawn once and then copied.
        applyMode(PenMode::Copy);
        const EllipsePicture& picture = ellipsePicture(box.Width(), box.Height());
        if (pixels_ && picture.Masks)
            pixels_->FillPicture(*picture.Masks, QPoint(box.Left, box.Top));
        else
            painter_.drawImage(box.Left, box.Top, picture.Image);
        return;
    }
    applyPen();
    applyBrush();
    applyMode(Pen().Mode);
    if (scaled_)
        scaledEllipse(box);
    else
        DrawEllipseIn(painter_, box, Pen().Style != PenStyle::Clear);
    applyMode(PenMode::Copy);
}

// The ellipse fills the box's device pixels; the pen, centred on its path, runs half its width
// inside their edge.
void ImageCanvas::scaledEllipse(const PixelRect& box) {
    const QRect outer = grid_.Box(ToQRect(box));
    if (Pen().Style == PenStyle::Clear) {
        painter_.drawEllipse(grid_.Logical(outer));
        return;
    }
    const qreal half = grid_.PenWidth(Pen().Width) / 2.0;
    const QRectF path = QRectF(outer).adjusted(half, half, -half, -half);
    painter_.drawEllipse(QRectF(grid_.Logical(path.topLeft()), grid_.Logical(path.bottomRight())));
}

void ImageCanvas::FillRect(const PixelRect& given) {
    const PixelRect box = Normalized(given);
    if (box.IsEmpty() || Brush().Style == BrushStyle::Clear)
        return;
    applyMode(PenMode::Copy);
    fillBox(ToQRect(box), Brush().Color);
}

TextLayoutCache& ImageCanvas::texts() {
    if (selectedFont_ != Font()) {
        selectedFont_ = Font();
        const QFont font = ToQFont(Font());
        texts_->Select(font);
        painter_.setFont(font);
    }
    return *texts_;
}

TextExtent ImageCanvas::MeasureText(const QString& text) {
    TextLayoutCache& store = texts();
    return {store.Text(text).Width, store.Height()};
}

void ImageCanvas::TextOut(int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    TextLayoutCache& store = texts();
    LaidOutText& laidOut = store.Text(text);
    int left = x;
    if (Align() == TextAlign::Center)
        left = x - laidOut.Width / 2;
    else if (Align() == TextAlign::Right)
        left = x - laidOut.Width;
    // Glyphs without antialiasing are whole pixels of the font colour or nothing, so a picture
    // of them, drawn once, gives the same pixels again for a fraction of the cost.
    applyMode(PenMode::Copy);
    if (!pictures_) {
        usePen({Font().Color, PenStyle::Solid, 0});
        // Glyphs start on a whole device pixel, as they do at one image pixel per pixel.
        painter_.drawStaticText(grid_.Logical(QPointF(grid_.Edge(left), grid_.Edge(y))),
                                laidOut.Shaped);
        return;
    }
    if (!laidOut.Ink && laidOut.PictureColor != Font().Color)
        MakeTextPicture(laidOut, store.Font(), Font().Color);
    drawText(QPoint(left, y) + laidOut.Offset, laidOut);
}

void ImageCanvas::drawText(QPoint origin, const LaidOutText& text) {
    if (!text.Ink) {
        if (!text.Picture.isNull())
            painter_.drawImage(origin, text.Picture);
        return;
    }
    if (pixels_) {
        pixels_->FillMask(*text.Ink, origin, OpaqueRgb(Font().Color));
        return;
    }
    for (const PixelMask::Row& row : text.Ink->Rows())
        for (int x = row.Left; x < row.Right; ++x)
            if (text.Ink->Bits(row)[x - row.Left])
                fillBox(QRect(origin.x() + x, origin.y() + row.Y, 1, 1), Font().Color);
}

void ImageCanvas::SetClipRect(const PixelRect& box) {
    const QRect clip = ToQRect(Normalized(box));
    if (scaled_)
        painter_.setClipRect(grid_.Logical(grid_.Box(clip)));
    else
        painter_.setClipRect(clip);
    painter_.setClipping(true);
    if (pixels_)
        pixels_->SetClip(clip);
}

void ImageCanvas::RemoveClip() {
    painter_.setClipping(false);
    if (pixels_)
        pixels_->SetClip(std::nullopt);
}

} // namespace kvarzel
