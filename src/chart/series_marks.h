// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_pen.h"

namespace kvarzel {

enum TSeriesMarksStyle { smsValue, smsLabel };

// Where one mark goes: its arrow and its text box, in pixels.
struct TSeriesMarkPosition {
    int ArrowFromX = 0;
    int ArrowFromY = 0;
    int ArrowToX = 0;
    int ArrowToY = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Custom = false;
};

// The text over each point of a series, hanging on a short arrow.
class TSeriesMarks {
public:
    explicit TSeriesMarks(ChartNotify* owner)
        : owner_(owner), frame_(owner), font_(owner, DefaultChartFont()),
          arrow_(TChartArrowPen(owner)) {}

    bool Visible() const { return visible_; }
    TSeriesMarksStyle Style() const { return style_; }
    int ArrowLength() const { return arrowLength_; }
    bool Clip() const { return clip_; }
    bool Transparent() const { return transparent_; }
    TColor BackColor() const { return backColor_; }
    void SetVisible(bool value) { ChangeSetting(visible_, value, owner_); }
    void SetStyle(TSeriesMarksStyle value) { ChangeSetting(style_, value, owner_); }
    void SetArrowLength(int value) { ChangeSetting(arrowLength_, value, owner_); }
    void SetClip(bool value) { ChangeSetting(clip_, value, owner_); }
    void SetTransparent(bool value) { ChangeSetting(transparent_, value, owner_); }
    void SetBackColor(TColor value) { ChangeSetting(backColor_, value, owner_); }
    TChartPen& Frame() { return frame_; }
    ChartFont& Font() { return font_; }
    TChartPen& Arrow() { return arrow_; }

private:
    ChartNotify* owner_;
    bool visible_ = false;
    TSeriesMarksStyle style_ = smsLabel;
    int arrowLength_ = 8;
    bool clip_ = false;
    bool transparent_ = false;
    TColor backColor_ = 0x80FFFF;
    TChartPen frame_;
    ChartFont font_;
    TChartPen arrow_;
};

} // namespace kvarzel
