// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_pen.h"
#include "platform/drawing/canvas.h"

#include <QString>

#include <functional>
#include <vector>

namespace kvarzel {

class TCustomAxisPanel;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// Smallest label step; also the step of an axis with no room for labels.
constexpr double MinLabelStep = 1e-12;
// The tick list never holds more positions than this.
constexpr int MaxAxisTicks = 2000;

// The 1-2-5 sequence: the next step above x (1 -> 2 -> 5 -> 10, 0.1 -> 0.2 ...).
double NextLabelStep(double x);

// One axis of a chart: its range settings, the range and pixel extent derived on every paint,
// the value-to-pixel mapping, and its labels, ticks and grid.
class TCustomChartAxis {
public:
    TCustomChartAxis(TCustomAxisPanel* chart, bool horizontal, bool otherSide);
    virtual ~TCustomChartAxis() = default;
    TCustomChartAxis(const TCustomChartAxis&) = delete;
    TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

    TCustomAxisPanel* ParentChart() const { return chart_; }
    bool Horizontal() const { return horizontal_; }
    bool OtherSide() const { return otherSide_; }

    // Range and placement.
    bool Automatic() const { return automatic_; }
    bool AutomaticMinimum() const { return automaticMinimum_; }
    bool AutomaticMaximum() const { return automaticMaximum_; }
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    bool Visible() const { return visible_; }
    double StartPosition() const { return startPosition_; }
    double EndPosition() const { return endPosition_; }
    double PositionPercent() const { return positionPercent_; }
    void SetAutomatic(bool value);
    void SetAutomaticMinimum(bool value);
    void SetAutomaticMaximum(bool value);
    // Fail with an AxisException when the ends would cross.
    void SetMinimum(double value);
    void SetMaximum(double value);
    void SetVisible(bool value);
    void SetStartPosition(double value);
    void SetEndPosition(double value);
    void SetPositionPercent(double value);
    // Stored for completeness; the chart draws only linear, upright, one-line labels.
    bool Inverted() const { return inverted_; }
    bool Logarithmic() const { return logarithmic_; }
    bool LabelsMultiLine() const { return labelsMultiLine_; }
    int LabelsAngle() const { return labelsAngle_; }
    void SetInverted(bool value) { ChangeSetting(inverted_, value, Owner()); }
    void SetLogarithmic(bool value) { ChangeSetting(logarithmic_, value, Owner()); }
    void SetLabelsMultiLine(bool value) { ChangeSetting(labelsMultiLine_, value, Owner()); }
    void SetLabelsAngle(int value) { ChangeSetting(labelsAngle_, value, Owner()); }
    // Both ends at once, made manual, ordered and kept at least 1e-10 apart; never fails.
    void SetRange(double min, double max);
    void ScrollAxis(double offset);
    // Loading stored settings accepts the two ends in any order.
    void SetLoading(bool value) { loading_ = value; }

    // Labels, ticks and grid.
    double Increment() const { return increment_; }
    int LabelsSeparation() const { return labelsSeparation_; }
    const QString& AxisValuesFormat() const { return axisValuesFormat_; }
    bool Labels() const { return labels_; }
    int LabelsSize() const { return labelsSize_; }
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    int TickLength() const { return tickLength_; }
    int TickInnerLength() const { return tickInnerLength_; }
    int MinorTickLength() const { return minorTickLength_; }
    int MinorTickCount() const { return minorTickCount_; }
    bool GridCentered() const { return gridCentered_; }
    void SetIncrement(double value);
    void SetLabelsSeparation(int value);
    void SetAxisValuesFormat(const QString& value);
    void SetLabels(bool value);
    void SetLabelsSize(int value);
    void SetLabelsOnAxis(bool value);
    void SetLabelStyle(TAxisLabelStyle value);
    void SetRoundFirstLabel(bool value);
    void SetTickOnLabelsOnly(bool value);
    // Gives each label its text in place of the formatted value, for a chart
    // whose values stand for something else (the logarithm of a percentage,
    // say). An empty function restores the formatted values.
    using LabelTextFunction = std::function<QString(double)>;
    void SetLabelTextFunction(LabelTextFunction function);
    void SetTickLength(int value);
    void SetTickInnerLength(int value);
    void SetMinorTickLength(int value);
    void SetMinorTickCount(int value);
    void SetGridCentered(bool value);
    ChartFont& LabelsFont() { return labelsFont_; }
    TChartPen& Axis() { return axisPen_; }
    TChartPen& Ticks() { return ticks_; }
    TChartPen& TicksInner() { return ticksInner_; }
    TChartPen& MinorTicks() { return minorTicks_; }
    TChartPen& Grid() { return grid_; }
    TChartPen& MinorGrid() { return minorGrid_; }

    // State of the last paint.
    double IMinimum() const { return iMinimum_; }
    double IMaximum() const { return iMaximum_; }
    double IRange() const { return iRange_; }
    int IStartPos() const { return iStartPos_; }
    int IEndPos() const { return iEndPos_; }
    int IAxisSize() const { return iAxisSize_; }
    int ICenterPos() const { return iCenterPos_; }
    int PosAxis() const { return posAxis_; }
    int PosLabels() const { return posLabels_; }
    const std::vector<int>& TickPositions() const { return tickPositions_; }

    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;
    // On the tick band of the last paint: along the axis from its start pixel to its end pixel,
    // across from the labels position to the line 3 pixels away from the labels; upper ends
    // exclusive. The label texts lie beyond the band.
    bool Clicked(int x, int y) const;

    // Paint steps, called by the chart in its order.
    void CalcEffectiveRange();
    void WidenForMargins(int lowPixels, int highPixels);
    void CalcRoom(Canvas& canvas, PixelRect& rect);
    void CalcPixelExtent(const PixelRect& chartRect);
    void Draw(Canvas& canvas);

    // Label step rules, with the state of the last paint.
    int LabelCountLimit(int labelSize, int axisLength) const;
    double ChooseLabelStep(int limit) const;
    double CalcLabelStep(Canvas& canvas, int axisLength) const;
    QString LabelText(double value) const;

private:
    ChartNotify* Owner() const;
    void Changed();
    bool IsEndAutomatic(bool endFlag) const { return automatic_ || endFlag; }
    TAxisLabelStyle ResolvedLabelStyle() const;
    int LabelMeasure(Canvas& canvas, double value) const;
    int TickSize() const;
    int RoomForLabels(Canvas& canvas) const;
    void ProduceLabels(Canvas& canvas, double step);
    void EmitLabel(Canvas& canvas, double value, int fontHeight);
    void DrawLabel(Canvas& canvas, int pixel, const QString& text, int fontHeight);
    void DrawAxisLine(Canvas& canvas);
    void DrawTicks(Canvas& canvas, const std::vector<int>& positions, int offset, int length);
    void DrawGrid(Canvas& canvas, TChartPen& pen, const std::vector<int>& positions);
    std::vector<int> GridPositions() const;
    std::vector<int> MinorTickPositions() const;
    void AxisLine(Canvas& canvas, int along1, int across1, int along2, int across2);
    int InwardShift() const;

    TCustomAxisPanel* chart_;
    bool horizontal_;
    bool otherSide_;
    bool loading_ = false;

    bool automatic_ = true;
    bool automaticMinimum_ = true;
    bool automaticMaximum_ = true;
    double minimum_ = 0;
    double maximum_ = 0;
    bool visible_ = true;
    double startPosition_ = 0;
    double endPosition_ = 100;
    double positionPercent_ = 0;
    bool inverted_ = false;
    bool logarithmic_ = false;
    bool labelsMultiLine_ = false;
    int labelsAngle_ = 0;

    double increment_ = 0;
    int labelsSeparation_ = 10;
    QString axisValuesFormat_ = QStringLiteral("#,##0.###");
    LabelTextFunction labelTextFunction_;
    bool labels_ = true;
    int labelsSize_ = 0;
    bool labelsOnAxis_ = true;
    TAxisLabelStyle labelStyle_ = talAuto;
    bool roundFirstLabel_ = true;
    bool tickOnLabelsOnly_ = true;
    int tickLength_ = 4;
    int tickInnerLength_ = 0;
    int minorTickLength_ = 2;
    int minorTickCount_ = 3;
    bool gridCentered_ = false;
    ChartFont labelsFont_;
    TChartPen axisPen_;
    TChartPen ticks_;
    TChartPen ticksInner_;
    TChartPen minorTicks_;
    TChartPen grid_;
    TChartPen minorGrid_;

    double iMinimum_ = 0;
    double iMaximum_ = 0;
    double iRange_ = 0;
    int iStartPos_ = 0;
    int iEndPos_ = 0;
    int iAxisSize_ = 0;
    int iCenterPos_ = 0;
    int posAxis_ = 0;
    int posLabels_ = 0;
    std::vector<int> tickPositions_;
};

class TChartAxis : public TCustomChartAxis {
public:
    using TCustomChartAxis::TCustomChartAxis;
};

// The axis of the third dimension; never drawn in the flat view.
class TChartDepthAxis : public TCustomChartAxis {
public:
    explicit TChartDepthAxis(TCustomAxisPanel* chart) : TCustomChartAxis(chart, false, false) {
        SetVisible(false);
    }
};

} // namespace kvarzel
