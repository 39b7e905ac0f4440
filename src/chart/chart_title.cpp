// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_title.h"

namespace kvarzel {

namespace {
constexpr int kTitleGap = 5;
}

void ChartTitle::DrawAndTakeRoom(Canvas& canvas, PixelRect& rect, bool atBottom) {
    box_ = {};
    if (!visible_ || text_.isEmpty())
        return;
    canvas.SetFont(font_.ToCanvasFont());
    const int lineHeight = canvas.MeasureText(QStringLiteral("W")).Height;
    const int room = static_cast<int>(text_.size()) * lineHeight + kTitleGap;
    int top = atBottom ? rect.Bottom - room + kTitleGap : rect.Top;
    box_ = {rect.Left, top, rect.Right, top + room - kTitleGap};
    canvas.SetTextAlign(TextAlign::Center);
    for (const QString& line : text_) {
        canvas.TextOut((rect.Left + rect.Right) / 2, top, line);
        top += lineHeight;
    }
    canvas.SetTextAlign(TextAlign::Left);
    if (!adjustFrame_)
        return;
    if (atBottom)
        rect.Bottom -= room;
    else
        rect.Top += room;
}

bool ChartTitle::Clicked(int x, int y) const {
    return box_.Contains(x, y);
}

} // namespace kvarzel
