// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart_axis.h"

#include "chart/chart_exceptions.h"
#include "chart/custom_axis_panel.h"
#include "chart/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace kvarzel {

namespace {
constexpr double kMinimumRangeWidth = 1e-10;
constexpr long double kPixelOffsetLimit = 2147483647.0L;
// How far beyond its line, away from the labels, a press still hits the axis.
constexpr int kAxisClickReach = 3;
} // namespace

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel* chart, bool horizontal, bool otherSide)
    : chart_(chart), horizontal_(horizontal), otherSide_(otherSide),
      labelsFont_(chart, DefaultChartFont()), axisPen_(TChartAxisPen(chart)),
      ticks_(TDarkGrayPen(chart)), ticksInner_(TDarkGrayPen(chart)),
      minorTicks_(TDarkGrayPen(chart)), grid_(TDottedGrayPen(chart)),
      minorGrid_(TChartHiddenPen(chart)) {}

ChartNotify* TCustomChartAxis::Owner() const {
    return chart_;
}

void TCustomChartAxis::Changed() {
    if (chart_)
        chart_->Invalidate();
}

void TCustomChartAxis::SetAutomatic(bool value) {
    const bool changed =
        automatic_ != value || automaticMinimum_ != value || automaticMaximum_ != value;
    automatic_ = automaticMinimum_ = automaticMaximum_ = value;
    if (changed)
        Changed();
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
    if (ChangeSetting(automaticMinimum_, value, chart_))
        automatic_ = automaticMinimum_ && automaticMaximum_;
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
    if (ChangeSetting(automaticMaximum_, value, chart_))
        automatic_ = automaticMinimum_ && automaticMaximum_;
}

void TCustomChartAxis::SetMinimum(double value) {
    if (!loading_ && value > maximum_)
        throw AxisException("Axis Minimum Value must be <= Maximum");
    ChangeSetting(minimum_, value, chart_);
}

void TCustomChartAxis::SetMaximum(double value) {
    if (!loading_ && value < minimum_)
        throw AxisException("Axis Maximum Value must be >= Minimum");
    ChangeSetting(maximum_, value, chart_);
}

void TCustomChartAxis::SetVisible(bool value) {
    ChangeSetting(visible_, value, chart_);
}
void TCustomChartAxis::SetStartPosition(double value) {
    ChangeSetting(startPosition_, value, chart_);
}
void TCustomChartAxis::SetEndPosition(double value) {
    ChangeSetting(endPosition_, value, chart_);
}
void TCustomChartAxis::SetPositionPercent(double value) {
    ChangeSetting(positionPercent_, value, chart_);
}

void TCustomChartAxis::SetRange(double min, double max) {
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    if (min > max)
        std::swap(min, max);
    if (max - min < kMinimumRangeWidth)
        max = min + kMinimumRangeWidth;
    minimum_ = min;
    maximum_ = max;
    Changed();
}

void TCustomChartAxis::ScrollAxis(double offset) {
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    maximum_ += offset;
    minimum_ += offset;
    Changed();
}

void TCustomChartAxis::SetIncrement(double value) {
    if (value < 0)
        throw AxisException("Axis increment must be >= 0");
    ChangeSetting(increment_, value, chart_);
}

void TCustomChartAxis::SetLabelsSeparation(int value) {
    if (value < 0)
        throw AxisException("Labels Separation % must be greater than 0");
    ChangeSetting(labelsSeparation_, value, chart_);
}

void TCustomChartAxis::SetAxisValuesFormat(const QString& value) {
    ChangeSetting(axisValuesFormat_, value, chart_);
}
void TCustomChartAxis::SetLabels(bool value) {
    ChangeSetting(labels_, value, chart_);
}
void TCustomChartAxis::SetLabelsSize(int value) {
    ChangeSetting(labelsSize_, value, chart_);
}
void TCustomChartAxis::SetLabelsOnAxis(bool value) {
    ChangeSetting(labelsOnAxis_, value, chart_);
}
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle value) {
    ChangeSetting(labelStyle_, value, chart_);
}
void TCustomChartAxis::SetRoundFirstLabel(bool value) {
    ChangeSetting(roundFirstLabel_, value, chart_);
}
void TCustomChartAxis::SetTickOnLabelsOnly(bool value) {
    ChangeSetting(tickOnLabelsOnly_, value, chart_);
}
void TCustomChartAxis::SetTickLength(int value) {
    ChangeSetting(tickLength_, value, chart_);
}
void TCustomChartAxis::SetTickInnerLength(int value) {
    ChangeSetting(tickInnerLength_, value, chart_);
}
void TCustomChartAxis::SetMinorTickLength(int value) {
    ChangeSetting(minorTickLength_, value, chart_);
}
void TCustomChartAxis::SetMinorTickCount(int value) {
    ChangeSetting(minorTickCount_, value, chart_);
}
void TCustomChartAxis::SetGridCentered(bool value) {
    ChangeSetting(gridCentered_, value, chart_);
}

int TCustomChartAxis::ValueToPixel(double value) const {
    if (iRange_ == 0)
        return iCenterPos_;
    const double offset =
        static_cast<double>((static_cast<long double>(value) - iMinimum_) * iAxisSize_ / iRange_);
    // A NaN offset fails this test too: it has no pixel.
    if (!(std::fabs(offset) < kPixelOffsetLimit))
        return iCenterPos_;
    const std::int64_t steps = Nearest(offset);
    const std::int64_t pixel = horizontal_ ? iStartPos_ + steps : iEndPos_ - steps;
    // Added to the start pixel a far-off value could pass the integer range: it stays far off.
    return static_cast<int>(std::clamp<std::int64_t>(pixel, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

double TCustomChartAxis::PixelToValue(int pixel) const {
    if (iAxisSize_ <= 0)
        return 0;
    const long double offset = static_cast<long double>(pixel - iStartPos_) * iRange_ / iAxisSize_;
    return static_cast<double>(horizontal_ ? iMinimum_ + offset : iMaximum_ - offset);
}

bool TCustomChartAxis::Clicked(int x, int y) const {
    const int along = horizontal_ ? x : y;
    const int across = horizontal_ ? y : x;
    // The labels of the left and top axes lie at lower coordinates than their line.
    const bool labelsOnLowSide = horizontal_ ? otherSide_ : !otherSide_;
    const int lineEdge = posAxis_ + (labelsOnLowSide ? kAxisClickReach : -kAxisClickReach);
    const int low = std::min(lineEdge, posLabels_);
    const int high = std::max(lineEdge, posLabels_);
    return iStartPos_ <= along && along < iEndPos_ && low <= across && across < high;
}

void TCustomChartAxis::CalcEffectiveRange() {
    double dataMin = 0;
    double dataMax = 0;
    const bool anyAutomatic =
        IsEndAutomatic(automaticMinimum_) || IsEndAutomatic(automaticMaximum_);
    if (anyAutomatic && chart_)
        chart_->SeriesExtremes(*this, dataMin, dataMax);
    iMinimum_ = IsEndAutomatic(automaticMinimum_) ? dataMin : minimum_;
    iMaximum_ = IsEndAutomatic(automaticMaximum_) ? dataMax : maximum_;
    iRange_ = iMaximum_ - iMinimum_;
}

void TCustomChartAxis::WidenForMargins(int lowPixels, int highPixels) {
    const int low = IsEndAutomatic(automaticMinimum_) ? lowPixels : 0;
    const int high = IsEndAutomatic(automaticMaximum_) ? highPixels : 0;
    const int usable = iAxisSize_ - low - high;
    if ((low == 0 && high == 0) || usable <= 0 || iRange_ <= 0)
        return;
    const long double valuePerPixel = static_cast<long double>(iRange_) / usable;
    iMinimum_ = static_cast<double>(iMinimum_ - low * valuePerPixel);
    iMaximum_ = static_cast<double>(iMaximum_ + high * valuePerPixel);
    iRange_ = iMaximum_ - iMinimum_;
}

void TCustomChartAxis::CalcPixelExtent(const PixelRect& chartRect) {
    const int origin = horizontal_ ? chartRect.Left : chartRect.Top;
    const long double size = horizontal_ ? chartRect.Width() : chartRect.Height();
    iStartPos_ = origin + static_cast<int>(Nearest(size * 0.01L * startPosition_));
    iEndPos_ = origin + static_cast<int>(Nearest(size * 0.01L * endPosition_));
    iAxisSize_ = iEndPos_ - iStartPos_;
    iCenterPos_ = (iStartPos_ + iEndPos_) / 2;
}

} // namespace kvarzel
