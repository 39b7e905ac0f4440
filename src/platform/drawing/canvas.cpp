// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/canvas.h"

#include <algorithm>
#include <cstdint>

namespace kvarzel {

QFont ToQFont(const CanvasFont& font) {
    QFont result(font.Name);
    result.setPixelSize(std::max(1, font.Height));
    result.setBold(font.Bold);
    // Crisp glyphs like the rest of the drawing; antialiased text would also blur the pixel tests.
    result.setStyleStrategy(QFont::NoAntialias);
    return result;
}

QColor ToQColor(TColor color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

TColor FromQColor(const QColor& color) {
    return RGB(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
               static_cast<std::uint8_t>(color.blue()));
}

} // namespace kvarzel
