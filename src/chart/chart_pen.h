// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_notify.h"
#include "platform/drawing/canvas.h"

namespace kvarzel {

// A pen setting of the chart: a canvas pen plus a Visible flag; an invisible pen draws nothing.
class TChartPen {
public:
    TChartPen(ChartNotify* owner, TColor color = clBlack, PenStyle style = PenStyle::Solid,
              int width = 1, bool visible = true)
        : owner_(owner), pen_{color, style, width, PenMode::Copy}, visible_(visible) {}

    TColor Color() const { return pen_.Color; }
    PenStyle Style() const { return pen_.Style; }
    int Width() const { return pen_.Width; }
    PenMode Mode() const { return pen_.Mode; }
    bool Visible() const { return visible_; }
    void SetColor(TColor value) { ChangeSetting(pen_.Color, value, owner_); }
    void SetStyle(PenStyle value) { ChangeSetting(pen_.Style, value, owner_); }
    void SetWidth(int value) { ChangeSetting(pen_.Width, value, owner_); }
    void SetMode(PenMode value) { ChangeSetting(pen_.Mode, value, owner_); }
    void SetVisible(bool value) { ChangeSetting(visible_, value, owner_); }
    void Assign(const TChartPen& other);

    // The pen to draw with; an invisible one draws as the clear style, that is not at all.
    CanvasPen ToCanvasPen() const {
        CanvasPen pen = pen_;
        if (!visible_)
            pen.Style = PenStyle::Clear;
        return pen;
    }

private:
    ChartNotify* owner_;
    CanvasPen pen_;
    bool visible_;
};

// The presets of the chart's pens.
inline TChartPen TChartAxisPen(ChartNotify* owner) {
    return {owner, clBlack, PenStyle::Solid, 2};
}
inline TChartPen TDarkGrayPen(ChartNotify* owner) {
    return {owner, clGray};
}
inline TChartPen TDottedGrayPen(ChartNotify* owner) {
    return {owner, clGray, PenStyle::Dot};
}
inline TChartPen TChartHiddenPen(ChartNotify* owner) {
    return {owner, clBlack, PenStyle::Solid, 1, false};
}
inline TChartPen TChartArrowPen(ChartNotify* owner) {
    return {owner, clWhite};
}

class TChartBrush {
public:
    TChartBrush(ChartNotify* owner, TColor color = clDefault, BrushStyle style = BrushStyle::Solid)
        : owner_(owner), color_(color), style_(style) {}

    TColor Color() const { return color_; }
    BrushStyle Style() const { return style_; }
    void SetColor(TColor value) { ChangeSetting(color_, value, owner_); }
    void SetStyle(BrushStyle value) { ChangeSetting(style_, value, owner_); }

private:
    ChartNotify* owner_;
    TColor color_;
    BrushStyle style_;
};

// A font setting; Height is the character height in pixels.
class ChartFont {
public:
    ChartFont(ChartNotify* owner, CanvasFont font) : owner_(owner), font_(std::move(font)) {}

    const QString& Name() const { return font_.Name; }
    int Height() const { return font_.Height; }
    bool Bold() const { return font_.Bold; }
    TColor Color() const { return font_.Color; }
    void SetName(const QString& value) { ChangeSetting(font_.Name, value, owner_); }
    void SetHeight(int value) { ChangeSetting(font_.Height, value, owner_); }
    // Points at the classic 96 pixels per inch.
    void SetSize(int points);
    void SetBold(bool value) { ChangeSetting(font_.Bold, value, owner_); }
    void SetColor(TColor value) { ChangeSetting(font_.Color, value, owner_); }

    const CanvasFont& ToCanvasFont() const { return font_; }

private:
    ChartNotify* owner_;
    CanvasFont font_;
};

// The chart's default font, "Arial" 8.
CanvasFont DefaultChartFont();

} // namespace kvarzel
