// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart_axis.h"

#include "chart/custom_axis_panel.h"
#include "chart/number_format.h"
#include "chart/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace kvarzel {

namespace {
constexpr long double kInt32Limit = 2147483647.0L;
constexpr long double kInt64Limit = 9.2e18L;
constexpr double kMaxLabelCount = 10000;
} // namespace

double NextLabelStep(double x) {
    if (!std::isfinite(x))
        return x;
    if (x <= 0)
        return MinLabelStep;
    if (x >= 10)
        return NextLabelStep(x * 0.1) * 10;
    if (x < 1)
        return NextLabelStep(x * 10) * 0.1;
    if (x < 2)
        return 2;
    return x < 5 ? 5 : 10;
}

int TCustomChartAxis::LabelCountLimit(int labelSize, int axisLength) const {
    if (labelSize <= 0)
        return 1;
    long double size = labelSize;
    if (labelsSeparation_ > 0)
        size += Nearest(labelsSeparation_ * 0.01L * labelSize);
    return static_cast<int>(Nearest(axisLength / size));
}

double TCustomChartAxis::ChooseLabelStep(int limit) const {
    if (limit < 1)
        return MinLabelStep;
    double step = increment_ > 0 ? increment_ : (std::fabs(iRange_) >= 1 ? 1 : MinLabelStep);
    if (labelsSeparation_ > 0) {
        std::int64_t n = static_cast<std::int64_t>(limit) + 1;
        // An infinite or undefined range would climb the steps for ever; stop at infinity.
        while (n > limit && std::isfinite(step)) {
            const double previous = step;
            const double q = iRange_ / step;
            if (std::fabs(q) < kInt32Limit) {
                n = Nearest(q);
                if (n > limit)
                    step = NextLabelStep(step);
            } else {
                step = NextLabelStep(step);
            }
            // Rounding in the products must never leave the step where it was.
            if (step <= previous && n > limit)
                step = previous * 2;
        }
    }
    return std::max(step, MinLabelStep);
}

QString TCustomChartAxis::LabelText(double value) const {
    if (labelTextFunction_)
        return labelTextFunction_(value);
    return FormatFloat(axisValuesFormat_, value, UserNumberSeparators());
}

void TCustomChartAxis::SetLabelTextFunction(LabelTextFunction function) {
    labelTextFunction_ = std::move(function);
    Changed();
}

int TCustomChartAxis::LabelMeasure(Canvas& canvas, double value) const {
    if (horizontal_)
        return canvas.MeasureText(LabelText(value)).Width;
    return canvas.MeasureText(QStringLiteral("W")).Height;
}

double TCustomChartAxis::CalcLabelStep(Canvas& canvas, int axisLength) const {
    canvas.SetFont(labelsFont_.ToCanvasFont());
    const int size = std::max(LabelMeasure(canvas, iMaximum_), LabelMeasure(canvas, iMinimum_));
    return ChooseLabelStep(LabelCountLimit(size, axisLength));
}

TAxisLabelStyle TCustomChartAxis::ResolvedLabelStyle() const {
    if (labelStyle_ != talAuto)
        return labelStyle_;
    return chart_ && chart_->HasActiveSeriesOn(*this) ? talValue : talNone;
}

void TCustomChartAxis::ProduceLabels(Canvas& canvas, double step) {
    if (!(step > 0) || iMaximum_ < iMinimum_ || !(std::fabs(iRange_ / step) < kMaxLabelCount))
        return;
    double value = iMaximum_;
    const long double quotient = static_cast<long double>(iMaximum_) / step;
    if (iMinimum_ != iMaximum_ && roundFirstLabel_ && std::fabs(quotient) < kInt64Limit)
        value = static_cast<double>(static_cast<std::int64_t>(quotient) *
                                    static_cast<long double>(step));
    // A step below the values' precision would leave them where they are: stop rather than hang.
    while (value > iMaximum_ && value - step < value)
        value -= step;
    const double bound = (iMinimum_ - MinLabelStep) / 1.000000000001;
    const int fontHeight = canvas.MeasureText(QStringLiteral("W")).Height;
    while (value >= bound && static_cast<int>(tickPositions_.size()) < MaxAxisTicks) {
        EmitLabel(canvas, value, fontHeight);
        if (!(value - step < value))
            break;
        value -= step;
    }
}

void TCustomChartAxis::EmitLabel(Canvas& canvas, double value, int fontHeight) {
    const int pixel = ValueToPixel(value);
    if (!labelsOnAxis_ && !(iStartPos_ < pixel && pixel < iEndPos_))
        return;
    if (!tickOnLabelsOnly_)
        tickPositions_.push_back(pixel);
    if (labels_) {
        if (tickOnLabelsOnly_)
            tickPositions_.push_back(pixel);
        DrawLabel(canvas, pixel, LabelText(value), fontHeight);
    }
}

void TCustomChartAxis::DrawLabel(Canvas& canvas, int pixel, const QString& text, int fontHeight) {
    if (horizontal_) {
        canvas.SetTextAlign(TextAlign::Center);
        canvas.TextOut(pixel, otherSide_ ? posLabels_ - fontHeight : posLabels_, text);
    } else {
        canvas.SetTextAlign(otherSide_ ? TextAlign::Left : TextAlign::Right);
        canvas.TextOut(posLabels_, pixel - fontHeight / 2, text);
    }
    canvas.SetTextAlign(TextAlign::Left);
}

int TCustomChartAxis::RoomForLabels(Canvas& canvas) const {
    canvas.SetFont(labelsFont_.ToCanvasFont());
    if (horizontal_)
        return canvas.MeasureText(QStringLiteral("W")).Height;
    double high = iMaximum_;
    double low = iMinimum_;
    if (roundFirstLabel_) {
        const double step = CalcLabelStep(canvas, iAxisSize_);
        high = std::trunc(iMaximum_ / step) * step;
        low = std::trunc(iMinimum_ / step) * step;
    }
    const int widest = std::max(canvas.MeasureText(LabelText(high)).Width,
                                canvas.MeasureText(LabelText(low)).Width);
    return widest + canvas.MeasureText(QStringLiteral(" ")).Width;
}

} // namespace kvarzel
