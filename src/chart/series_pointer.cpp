// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/series_pointer.h"

#include "chart/chart_exceptions.h"

namespace kvarzel {

namespace {
void CheckPointerSize(int value) {
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
}
} // namespace

void TSeriesPointer::SetHorizSize(int value) {
    CheckPointerSize(value);
    ChangeSetting(horizSize_, value, owner_);
}

void TSeriesPointer::SetVertSize(int value) {
    CheckPointerSize(value);
    ChangeSetting(vertSize_, value, owner_);
}

PixelRect TSeriesPointer::Box(int x, int y) const {
    return {x - horizSize_, y - vertSize_, x + horizSize_, y + vertSize_};
}

void TSeriesPointer::Draw(Canvas& canvas, int x, int y, TColor color) const {
    CanvasPen pen = pen_.ToCanvasPen();
    if (pen.Color == clDefault)
        pen.Color = color;
    canvas.SetPen(pen);
    const TColor fill = brush_.Color() == clDefault ? color : brush_.Color();
    canvas.SetBrush({fill, brush_.Style()});
    const PixelRect box = Box(x, y);
    if (style_ == psCircle)
        canvas.Ellipse(box);
    else
        canvas.Rectangle(box);
}

} // namespace kvarzel
