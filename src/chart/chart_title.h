// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_pen.h"

#include <QStringList>

namespace kvarzel {

// A title over the chart rectangle, or the foot under it; with no text it takes no room.
class ChartTitle {
public:
    explicit ChartTitle(ChartNotify* owner) : owner_(owner), font_(owner, DefaultChartFont()) {}

    bool Visible() const { return visible_; }
    const QStringList& Text() const { return text_; }
    bool AdjustFrame() const { return adjustFrame_; }
    void SetVisible(bool value) { ChangeSetting(visible_, value, owner_); }
    void SetText(const QStringList& value) { ChangeSetting(text_, value, owner_); }
    void SetAdjustFrame(bool value) { ChangeSetting(adjustFrame_, value, owner_); }
    ChartFont& Font() { return font_; }

    // Draws the lines centred at the top (or bottom) of `rect` and takes their room from it.
    void DrawAndTakeRoom(Canvas& canvas, PixelRect& rect, bool atBottom);
    // On the lines of the last paint.
    bool Clicked(int x, int y) const;

private:
    ChartNotify* owner_;
    PixelRect box_;
    bool visible_ = true;
    QStringList text_;
    bool adjustFrame_ = true;
    ChartFont font_;
};

// Only its visibility is used; a hidden legend takes no room.
class ChartLegend {
public:
    explicit ChartLegend(ChartNotify* owner) : owner_(owner) {}

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { ChangeSetting(visible_, value, owner_); }

private:
    ChartNotify* owner_;
    bool visible_ = true;
};

} // namespace kvarzel
