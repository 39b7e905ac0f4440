// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/evidence_picture.h"

#include "chart/chart.h"
#include "chart/custom_series.h"
#include "platform/desktop/locale_separators.h"
#include "ui/statistics/bound_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace kvarzel {
namespace {

constexpr TColor CourseColor = 0x408000;      // the results chart's green
constexpr TColor FivePercentColor = 0x0080FF; // orange
constexpr TColor OnePercentColor = clRed;
constexpr TColor ReadingColor = 0x800000; // navy
// The share of an axis's span left beyond its values for half a dot.
constexpr double DotRoom = 0.04;

TLineSeries& AddLine(TChart& chart, TColor color, int width) {
    TLineSeries& series = chart.AddSeries(std::make_unique<TLineSeries>());
    series.SetSeriesColor(color);
    series.LinePen().SetWidth(width);
    return series;
}

void ConfigureChart(TChart& chart) {
    chart.SetBevelOuter(bvNone);
    chart.Title().SetVisible(false);
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
    chart.SetView3DWalls(false);
    chart.SetMarginLeft(1);
    chart.SetMarginTop(4);
    chart.SetMarginRight(3);
    chart.SetMarginBottom(2);
    chart.BackWall().Brush().SetColor(clWhite);
    chart.BackWall().Brush().SetStyle(BrushStyle::Solid);
    chart.BackWall().SetColor(clWhite);
    chart.BackWall().Pen().SetColor(clGray);
    chart.TopAxis().SetVisible(false);
    chart.RightAxis().SetVisible(false);
    for (TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
        axis->SetAutomatic(false);
        axis->Axis().SetWidth(1);
    }
    // One label per power of ten at most, read as a percentage.
    chart.LeftAxis().SetIncrement(1);
    chart.LeftAxis().SetLabelTextFunction([](double value) {
        return PowerOfTenPercentText(static_cast<int>(std::lround(value)),
                                     UserNumberSeparators().Decimal);
    });
    // Scrolling and zooming a picture of a few hundred points adds nothing.
    chart.SetAllowZoom(false);
    chart.SetAllowPanning(pmNone);
}

TLineSeries& AddDots(TChart& chart, TColor color) {
    TLineSeries& series = AddLine(chart, color, 1);
    series.LinePen().SetStyle(PenStyle::Clear);
    TSeriesPointer& pointer = series.Pointer();
    pointer.SetStyle(psCircle);
    pointer.SetHorizSize(3);
    pointer.SetVertSize(3);
    pointer.SetVisible(true);
    return series;
}

} // namespace

double Log10Figure(double lnWealth) {
    return NoEvidenceLevel - std::max(0.0, lnWealth) / std::numbers::ln10;
}

std::vector<CoursePoint> ReadingCourse(const std::vector<float>& lnCourse,
                                       const std::vector<std::size_t>& readings,
                                       std::size_t limit) {
    std::vector<CoursePoint> points{{0, NoEvidenceLevel}};
    const auto readingAt = [&](std::size_t reading) {
        const std::size_t guesses = readings[reading];
        const double lnWealth = guesses == 0 ? 0.0 : lnCourse.at(guesses - 1);
        return CoursePoint{static_cast<double>(guesses), Log10Figure(lnWealth)};
    };
    const std::size_t count = readings.size();
    if (count == 0 || limit < 2)
        return points;
    // One point per stretch, and room for the last reading after them.
    const std::size_t stretches = std::max<std::size_t>(1, limit - 2);
    const std::size_t stretch = std::max<std::size_t>(1, (count + stretches - 1) / stretches);
    for (std::size_t start = 0; start < count; start += stretch) {
        CoursePoint lowest = readingAt(start);
        for (std::size_t reading = start + 1; reading < std::min(start + stretch, count); ++reading)
            if (const CoursePoint point = readingAt(reading); point.Log10Figure < lowest.Log10Figure)
                lowest = point;
        points.push_back(lowest);
    }
    if (const CoursePoint last = readingAt(count - 1); points.back().Guess != last.Guess)
        points.push_back(last);
    return points;
}

EvidencePicture::EvidencePicture(TChart& chart)
    : chart_(chart), course_((ConfigureChart(chart), AddLine(chart, CourseColor, 2))),
      readings_(AddDots(chart, ReadingColor)), fivePercent_(AddLine(chart, FivePercentColor, 1)),
      onePercent_(AddLine(chart, OnePercentColor, 1)) {}

void EvidencePicture::Show(const std::vector<float>& lnCourse,
                           const std::vector<std::size_t>& readings) {
    const std::vector<CoursePoint> points = ReadingCourse(lnCourse, readings);
    course_.Clear();
    readings_.Clear();
    double low = OnePercentLevel - 0.5;
    for (std::size_t i = 0; i < points.size(); ++i) {
        course_.AddPoint(points[i].Guess, points[i].Log10Figure);
        if (i > 0)
            readings_.AddPoint(points[i].Guess, points[i].Log10Figure);
        low = std::min(low, points[i].Log10Figure);
    }
    const double right = std::max(1.0, points.back().Guess);
    for (auto [series, level] :
         {std::pair{&fivePercent_, FivePercentLevel}, std::pair{&onePercent_, OnePercentLevel}}) {
        series->Clear();
        series->AddPoint(0, level);
        series->AddPoint(right, level);
    }
    // A dot is a few pixels across: the ranges reach a little past the
    // values, so that none is cut in half at an edge of the plot.
    const double bottom = std::floor(low - 2 * DotRoom * (NoEvidenceLevel + 1 - low));
    chart_.LeftAxis().SetRange(bottom, NoEvidenceLevel + DotRoom * (NoEvidenceLevel - bottom));
    chart_.BottomAxis().SetRange(-DotRoom * right, right * (1 + DotRoom));
}

} // namespace kvarzel
