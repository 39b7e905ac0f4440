// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart_axis.h"

#include "chart/custom_axis_panel.h"
#include "chart/rounding.h"

#include <algorithm>

namespace kvarzel {

int TCustomChartAxis::TickSize() const {
    int size = (axisPen_.Visible() ? axisPen_.Width() : 0) + (ticks_.Visible() ? tickLength_ : 0);
    if (minorTicks_.Visible())
        size = std::max(size, minorTickLength_);
    return size;
}

// PositionPercent moves the axis into the chart rectangle, away from its own side.
int TCustomChartAxis::InwardShift() const {
    const PixelRect& rect = chart_->ChartRect();
    const int size = horizontal_ ? rect.Height() : rect.Width();
    const auto shift = static_cast<int>(Nearest(positionPercent_ * 0.01L * size));
    const bool lowSide = horizontal_ ? otherSide_ : !otherSide_; // top or left
    return lowSide ? shift : -shift;
}

void TCustomChartAxis::CalcRoom(Canvas& canvas, PixelRect& rect) {
    const int ticks = TickSize();
    const int labels = labelsSize_ != 0 ? labelsSize_ : RoomForLabels(canvas);
    // Without labels their position is the outer end of the ticks, never last paint's value.
    const auto take = [&](int& edge, int direction) {
        if (labels_)
            edge += direction * labels;
        posLabels_ = edge;
        edge += direction * ticks;
    };
    if (horizontal_)
        otherSide_ ? take(rect.Top, +1) : take(rect.Bottom, -1);
    else
        otherSide_ ? take(rect.Right, -1) : take(rect.Left, +1);
    posLabels_ += InwardShift();
}

void TCustomChartAxis::AxisLine(Canvas& canvas, int along1, int across1, int along2, int across2) {
    if (horizontal_)
        canvas.Line(along1, across1, along2, across2);
    else
        canvas.Line(across1, along1, across2, along2);
}

void TCustomChartAxis::DrawAxisLine(Canvas& canvas) {
    canvas.SetPen(axisPen_.ToCanvasPen());
    AxisLine(canvas, iStartPos_, posAxis_, iEndPos_, posAxis_);
}

// Ticks start `offset` pixels outside the axis line and run `length` pixels further out;
// negative values point into the chart.
void TCustomChartAxis::DrawTicks(Canvas& canvas, const std::vector<int>& positions, int offset,
                                 int length) {
    const bool outwardIsDown = horizontal_ ? !otherSide_ : otherSide_; // bottom or right
    const int direction = outwardIsDown ? 1 : -1;
    const int from = posAxis_ + direction * offset;
    const int to = from + direction * length;
    for (int position : positions)
        AxisLine(canvas, position, from, position, to);
}

std::vector<int> TCustomChartAxis::GridPositions() const {
    if (!gridCentered_)
        return tickPositions_;
    std::vector<int> centred;
    for (std::size_t i = 1; i < tickPositions_.size(); ++i)
        centred.push_back(
            static_cast<int>(Nearest((tickPositions_[i] + tickPositions_[i - 1]) * 0.5L)));
    return centred;
}

void TCustomChartAxis::DrawGrid(Canvas& canvas, TChartPen& pen, const std::vector<int>& positions) {
    CanvasPen gridPen = pen.ToCanvasPen();
    if (gridPen.Color == clDefault)
        gridPen.Color = clGray;
    canvas.SetPen(gridPen);
    const PixelRect& rect = chart_->ChartRect();
    for (int position : positions) {
        if (horizontal_)
            canvas.Line(position, rect.Top, position, rect.Bottom);
        else
            canvas.Line(rect.Left, position, rect.Right, position);
    }
}

std::vector<int> TCustomChartAxis::MinorTickPositions() const {
    std::vector<int> positions;
    const auto add = [&](long double position) {
        const auto pixel = static_cast<int>(position);
        if (iStartPos_ < pixel && pixel < iEndPos_)
            positions.push_back(pixel);
    };
    const auto spacing = [&](std::size_t i) {
        return static_cast<double>((tickPositions_[i] - tickPositions_[i - 1]) * 1.0 /
                                   (minorTickCount_ + 1));
    };
    const std::size_t count = tickPositions_.size();
    if (count >= 2) {
        const double d = spacing(1);
        for (int j = 1; j <= minorTickCount_; ++j) {
            add(tickPositions_.front() - Nearest(j * static_cast<long double>(d)));
            add(tickPositions_.back() + Nearest(j * static_cast<long double>(d)));
        }
    }
    for (std::size_t i = 1; i < count; ++i) {
        const double d = spacing(i);
        for (int j = 1; j <= minorTickCount_; ++j)
            add(tickPositions_[i] - Nearest(j * static_cast<long double>(d)));
    }
    return positions;
}

void TCustomChartAxis::Draw(Canvas& canvas) {
    const double step = CalcLabelStep(canvas, iAxisSize_);
    const PixelRect& rect = chart_->ChartRect();
    if (horizontal_)
        posAxis_ = otherSide_ ? rect.Top : rect.Bottom;
    else
        posAxis_ = otherSide_ ? rect.Right : rect.Left;
    posAxis_ += InwardShift();

    tickPositions_.clear();
    if (ResolvedLabelStyle() != talNone)
        ProduceLabels(canvas, step);
    if (axisPen_.Visible())
        DrawAxisLine(canvas);
    if (ticks_.Visible()) {
        canvas.SetPen(ticks_.ToCanvasPen());
        DrawTicks(canvas, tickPositions_, 1, tickLength_);
    }
    if (grid_.Visible())
        DrawGrid(canvas, grid_, GridPositions());
    if (ticksInner_.Visible()) {
        canvas.SetPen(ticksInner_.ToCanvasPen());
        DrawTicks(canvas, tickPositions_, -1, -tickInnerLength_);
    }
    if (tickPositions_.empty())
        return;
    const std::vector<int> minor = MinorTickPositions();
    if (minorTicks_.Visible()) {
        canvas.SetPen(minorTicks_.ToCanvasPen());
        DrawTicks(canvas, minor, 1, minorTickLength_);
    }
    if (minorGrid_.Visible())
        DrawGrid(canvas, minorGrid_, minor);
}

} // namespace kvarzel
