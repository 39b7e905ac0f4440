// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/canvas.h"

#include <QString>

#include <vector>

namespace kvarzel::testing {

enum class Op { Line, Rectangle, Ellipse, FillRect, Text, Clip, RemoveClip };

// One drawing call with the pen, brush, font and alignment that were current.
struct DrawCall {
    Op op;
    PixelRect box;
    QString text;
    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont font;
    TextAlign align;
};

// A canvas that only writes down what it is asked to draw, measuring text like the real one.
class RecordingCanvas final : public Canvas {
public:
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const PixelRect& box) override;
    void Ellipse(const PixelRect& box) override;
    void FillRect(const PixelRect& box) override;
    void TextOut(int x, int y, const QString& text) override;
    TextExtent MeasureText(const QString& text) override;
    void SetClipRect(const PixelRect& box) override;
    void RemoveClip() override;

    std::vector<DrawCall> calls;
    std::vector<DrawCall> Of(Op op) const;
    std::vector<QString> Texts() const;

private:
    void Record(Op op, const PixelRect& box, const QString& text = {});
};

} // namespace kvarzel::testing
