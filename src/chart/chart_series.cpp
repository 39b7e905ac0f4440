// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_series.h"

#include "chart/custom_axis_panel.h"
#include "chart/custom_chart_axis.h"

#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>

namespace kvarzel {

TChartSeries::TChartSeries()
    : marks_(this), xValues_(QStringLiteral("X"), loAscending, this),
      yValues_(QStringLiteral("Y"), loNone, this) {}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
    chart_ = chart;
    horizAxis_ = chart ? &chart->BottomAxis() : nullptr;
    vertAxis_ = chart ? &chart->LeftAxis() : nullptr;
    Invalidate();
}

void TChartSeries::Invalidate() {
    if (chart_)
        chart_->Invalidate();
}

int TChartSeries::AddPoint(double x, double y, const QString& label, TColor color) {
    const int index = xValues_.AddChartValue(x);
    yValues_.InsertAt(index, y);
    colors_.insert(colors_.begin() + index, color);
    labels_.insert(labels_.begin() + index, label);
    Invalidate();
    return index;
}

void TChartSeries::Clear() {
    xValues_.Clear();
    yValues_.Clear();
    colors_.clear();
    labels_.clear();
    Invalidate();
}

TColor TChartSeries::ValueColor(int index) const {
    const TColor color = colors_[index];
    return color == clDefault ? seriesColor_ : color;
}

void TChartSeries::CalcFirstLastVisibleIndex() {
    first_ = last_ = -1;
    const int count = Count();
    if (count == 0 || !chart_ || !horizAxis_)
        return;
    const PixelRect& rect = chart_->ChartRect();
    const double leftValue = horizAxis_->PixelToValue(rect.Left);
    const double rightValue = horizAxis_->PixelToValue(rect.Right);
    // The first index from `from` on whose X reaches `value`; a binary search when X ascends.
    const auto firstReaching = [&](int from, double value) {
        if (xValues_.Ascending()) {
            int low = from;
            int high = count;
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (xValues_.Value(middle) >= value)
                    high = middle;
                else
                    low = middle + 1;
            }
            return low < count ? low : -1;
        }
        for (int i = from; i < count; ++i)
            if (xValues_.Value(i) >= value)
                return i;
        return -1;
    };
    first_ = firstReaching(0, leftValue);
    if (first_ < 0)
        return;
    last_ = xValues_.Last() <= rightValue ? count - 1 : firstReaching(first_, rightValue);
    if (last_ < 0)
        last_ = count - 1;
}

void TChartSeries::CalcMargins(int& left, int& top, int& right, int& bottom) const {
    left = top = right = bottom = 0;
}

bool TChartSeries::DrawablePixel(int x, int y) {
    constexpr int kPixelLimit = 32767;
    return -kPixelLimit < x && x < kPixelLimit && -kPixelLimit < y && y < kPixelLimit;
}

int TChartSeries::CalcXPos(int index) const {
    return horizAxis_->ValueToPixel(xValues_.Value(index));
}

int TChartSeries::CalcYPos(int index) const {
    return vertAxis_->ValueToPixel(yValues_.Value(index));
}

PixelRect TChartSeries::SeriesClipRect() const {
    const PixelRect& rect = chart_->ChartRect();
    return {rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1};
}

void TChartSeries::ClipIfAsked(Canvas& canvas, bool clip) const {
    if (clip)
        canvas.SetClipRect(SeriesClipRect());
}

void TChartSeries::DrawSeries(Canvas& canvas) {
    if (!chart_)
        return;
    CalcFirstLastVisibleIndex();
    if (first_ < 0)
        return;
    DrawValues(canvas);
    DrawMarks(canvas);
}

void TChartSeries::DrawValues(Canvas& canvas) {
    ClipIfAsked(canvas, chart_->ClipPoints());
    BeginDrawValues();
    for (int i = first_; i <= last_; ++i)
        DrawValue(canvas, i);
    canvas.RemoveClip();
}

QString TChartSeries::MarkText(int index) const {
    if (marks_.Style() == smsLabel && !labels_[index].isEmpty())
        return labels_[index];
    return markTexts_.Text(index, yValues_.Value(index), valueFormat_);
}

void TChartSeries::DrawMarks(Canvas& canvas) {
    if (!marks_.Visible())
        return;
    ClipIfAsked(canvas, marks_.Clip());
    canvas.SetFont(marks_.Font().ToCanvasFont());
    const TextExtent letter = canvas.MeasureText(QStringLiteral("W"));
    for (int i = first_; i <= last_; ++i) {
        if (IsNull(i))
            continue;
        const QString text = MarkText(i);
        if (!text.isEmpty())
            DrawMark(canvas, i, text, letter);
    }
    canvas.RemoveClip();
}

TSeriesMarkPosition TChartSeries::MarkPosition(int x, int y, int width, int height) const {
    TSeriesMarkPosition position;
    position.ArrowFromX = position.ArrowToX = x;
    position.ArrowFromY = position.ArrowToY = y;
    position.Left = x - width / 2;
    position.Top = y - height + 1;
    position.Width = width;
    position.Height = height;
    return position;
}

void TChartSeries::DrawMark(Canvas& canvas, int index, const QString& text, TextExtent letter) {
    const int x = CalcXPos(index);
    const int y = CalcYPos(index);
    if (!DrawablePixel(x, y))
        return;
    // Most marks are a single line, which needs no list of its own.
    QVarLengthArray<QString, 1> lines;
    if (text.contains(QLatin1Char('\r'))) {
        const QStringList parts = text.split(QLatin1Char('\r'));
        lines.append(parts.constData(), parts.size());
    } else {
        lines.append(text);
    }
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, canvas.MeasureText(line).Width);
    int width = widest + letter.Width;
    int height = static_cast<int>(lines.size()) * letter.Height;
    TChartPen& frame = marks_.Frame();
    if (frame.Visible()) {
        width += 2 * frame.Width();
        height += 2 * frame.Width();
    }
    const TSeriesMarkPosition position = MarkPosition(x, y, width, height);

    TChartPen& arrow = marks_.Arrow();
    if (arrow.Visible()) {
        CanvasPen pen = arrow.ToCanvasPen();
        const TColor panel = chart_->Color();
        if (pen.Color == ValueColor(index) || pen.Color == panel)
            pen.Color = panel == clBlack ? clWhite : clBlack;
        canvas.SetPen(pen);
        canvas.SetBrush({clWhite, BrushStyle::Clear});
        canvas.Line(position.ArrowFromX, position.ArrowFromY, position.ArrowToX, position.ArrowToY);
    }
    if (frame.Visible() || !marks_.Transparent()) {
        canvas.SetPen(frame.ToCanvasPen());
        canvas.SetBrush(
            {marks_.BackColor(), marks_.Transparent() ? BrushStyle::Clear : BrushStyle::Solid});
        canvas.Rectangle(
            {position.Left, position.Top, position.Left + width, position.Top + height});
    }
    canvas.SetTextAlign(TextAlign::Center);
    for (int line = 0; line < lines.size(); ++line)
        canvas.TextOut(position.Left + width / 2, position.Top + line * letter.Height, lines[line]);
    canvas.SetTextAlign(TextAlign::Left);
}

} // namespace kvarzel
