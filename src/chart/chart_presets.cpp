// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_presets.h"

namespace kvarzel {

namespace {

constexpr TColor kIntuitionSeriesColor = 0x408000;

// Both program charts: flat, no title, no legend, no outer bevel, walls not filled.
void ConfigurePlainPanel(TChart& chart) {
    chart.SetBevelOuter(bvNone);
    chart.Title().SetVisible(false);
    chart.Title().SetText({});
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
    chart.SetView3DWalls(false);
    chart.BackWall().Brush().SetColor(clWhite);
    chart.BackWall().Brush().SetStyle(BrushStyle::Clear);
}

void ConfigureManualAxis(TChartAxis& axis, double maximum) {
    axis.SetAutomatic(false);
    axis.SetMinimum(0);
    axis.SetMaximum(maximum);
}

TLineSeries& AddIntuitionSeries(TChart& chart) {
    TLineSeries& series = chart.AddSeries(std::make_unique<TLineSeries>());
    series.SetSeriesColor(kIntuitionSeriesColor);
    series.SetValueFormat(QStringLiteral("#,##0.##"));
    series.LinePen().SetWidth(2);
    TSeriesPointer& pointer = series.Pointer();
    pointer.SetStyle(psCircle);
    pointer.SetHorizSize(3);
    pointer.SetVertSize(3);
    pointer.SetInflateMargins(true);
    pointer.SetVisible(true);
    TSeriesMarks& marks = series.Marks();
    marks.SetVisible(true);
    marks.SetArrowLength(8);
    marks.SetClip(true);
    marks.SetTransparent(true);
    marks.Frame().SetVisible(false);
    marks.Font().SetName(QStringLiteral("Arial"));
    marks.Font().SetHeight(13);
    marks.Font().SetBold(true);
    marks.Font().SetColor(clGreen);
    return series;
}

} // namespace

TLineSeries& ConfigureIntuitionChart(TChart& chart) {
    ConfigurePlainPanel(chart);
    chart.SetColor(clSilver);
    chart.SetBevelWidth(0);
    chart.SetMarginLeft(0);
    chart.SetMarginTop(2);
    chart.SetMarginRight(1);
    chart.SetMarginBottom(1);
    chart.Title().SetAdjustFrame(false);
    chart.BackWall().Pen().SetStyle(PenStyle::Clear);
    chart.BackWall().Pen().SetWidth(0);
    ConfigureManualAxis(chart.LeftAxis(), 100);
    ConfigureManualAxis(chart.BottomAxis(), 0);
    chart.TopAxis().SetVisible(false);
    chart.RightAxis().SetVisible(false);
    for (TChartAxis* axis :
         {&chart.LeftAxis(), &chart.BottomAxis(), &chart.TopAxis(), &chart.RightAxis()})
        axis->Axis().SetWidth(1);
    return AddIntuitionSeries(chart);
}

void ConfigureRatioChart(TChart& chart) {
    ConfigurePlainPanel(chart);
    chart.SetMarginLeft(0);
    chart.SetMarginTop(0);
    chart.SetMarginRight(0);
    chart.SetMarginBottom(2);
    chart.SetAxisVisible(false);
    chart.LeftAxis().SetLabels(false);
    TChartGradient& gradient = chart.Gradient();
    gradient.SetVisible(true);
    gradient.SetDirection(gdRightLeft);
    gradient.SetEndColor(clBlack);
}

} // namespace kvarzel
