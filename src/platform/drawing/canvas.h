// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/colors.h"
#include "platform/drawing/pixel_rect.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace kvarzel {

enum class PenStyle { Solid, Dot, Clear };
// NotXor turns every pixel into NOT(pen XOR pixel): drawing twice restores the picture.
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };
enum class TextAlign { Left, Center, Right };

struct CanvasPen {
    TColor Color = clBlack;
    PenStyle Style = PenStyle::Solid;
    int Width = 1;
    PenMode Mode = PenMode::Copy;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasBrush {
    TColor Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
    bool operator==(const CanvasBrush&) const = default;
};

// Height is the character height in pixels (the em size), as a negative font height gives it.
struct CanvasFont {
    QString Name = QStringLiteral("Arial");
    int Height = 11;
    bool Bold = false;
    TColor Color = clBlack;
    bool operator==(const CanvasFont&) const = default;
};

struct TextExtent {
    int Width = 0;
    int Height = 0;
};

QFont ToQFont(const CanvasFont& font);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// Drawing with the rules of the classic desktop graphics interface: lines leave out their end
// point, boxes leave out their right and bottom edges, text hangs from its top edge on a
// transparent background. The chart draws only through this interface.
class Canvas {
public:
    virtual ~Canvas() = default;

    const CanvasPen& Pen() const { return pen_; }
    const CanvasBrush& Brush() const { return brush_; }
    const CanvasFont& Font() const { return font_; }
    TextAlign Align() const { return align_; }
    void SetPen(const CanvasPen& pen) { pen_ = pen; }
    void SetBrush(const CanvasBrush& brush) { brush_ = brush; }
    void SetFont(const CanvasFont& font) { font_ = font; }
    void SetTextAlign(TextAlign align) { align_ = align; }

    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Outline with the pen, inside filled with the brush.
    virtual void Rectangle(const PixelRect& box) = 0;
    virtual void Ellipse(const PixelRect& box) = 0;
    // The whole box with the brush, no outline.
    virtual void FillRect(const PixelRect& box) = 0;
    // y is the top of the text; x is its left, centre or right by the alignment.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual TextExtent MeasureText(const QString& text) = 0;
    virtual void SetClipRect(const PixelRect& box) = 0;
    virtual void RemoveClip() = 0;

private:
    CanvasPen pen_;
    CanvasBrush brush_;
    CanvasFont font_;
    TextAlign align_ = TextAlign::Left;
};

} // namespace kvarzel
