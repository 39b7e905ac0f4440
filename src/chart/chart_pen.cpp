// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_pen.h"

#include "chart/rounding.h"

namespace kvarzel {

void TChartPen::Assign(const TChartPen& other) {
    SetColor(other.Color());
    SetStyle(other.Style());
    SetWidth(other.Width());
    SetMode(other.Mode());
    SetVisible(other.Visible());
}

namespace {
constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;
} // namespace

void ChartFont::SetSize(int points) {
    SetHeight(static_cast<int>(MulDiv(points, kPixelsPerInch, kPointsPerInch)));
}

CanvasFont DefaultChartFont() {
    CanvasFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = static_cast<int>(MulDiv(8, kPixelsPerInch, kPointsPerInch));
    return font;
}

} // namespace kvarzel
