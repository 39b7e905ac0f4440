// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/evidence_picture.h"

#include "chart/chart.h"
#include "chart/custom_series.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace kvarzel {
namespace {

constexpr TColor CourseColor = 0x408000;      // the results chart's green
constexpr TColor FivePercentColor = 0x0080FF; // orange
constexpr TColor OnePercentColor = clRed;

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
    // Scrolling and zooming a picture of a few hundred points adds nothing.
    chart.SetAllowZoom(false);
    chart.SetAllowPanning(pmNone);
}

double CourseValue(float lnWealth) {
    return static_cast<double>(lnWealth) / std::numbers::ln10;
}

} // namespace

std::vector<CoursePoint> EvidenceCourse(const std::vector<float>& lnCourse, std::size_t limit) {
    std::vector<CoursePoint> points{{0, 0}};
    const std::size_t guesses = lnCourse.size();
    if (guesses == 0 || limit < 2)
        return points;
    // One point per stretch, and room for the last guess after them.
    const std::size_t stretches = std::max<std::size_t>(1, limit - 2);
    const std::size_t stretch = std::max<std::size_t>(1, (guesses + stretches - 1) / stretches);
    for (std::size_t start = 0; start < guesses; start += stretch) {
        const auto begin = lnCourse.begin() + static_cast<std::ptrdiff_t>(start);
        const auto end =
            lnCourse.begin() + static_cast<std::ptrdiff_t>(std::min(start + stretch, guesses));
        const auto highest = std::max_element(begin, end);
        points.push_back(
            {static_cast<double>(highest - lnCourse.begin() + 1), CourseValue(*highest)});
    }
    if (points.back().Guess != static_cast<double>(guesses))
        points.push_back({static_cast<double>(guesses), CourseValue(lnCourse.back())});
    return points;
}

EvidencePicture::EvidencePicture(TChart& chart)
    : chart_(chart), course_((ConfigureChart(chart), AddLine(chart, CourseColor, 2))),
      fivePercent_(AddLine(chart, FivePercentColor, 1)),
      onePercent_(AddLine(chart, OnePercentColor, 1)) {}

void EvidencePicture::Show(const std::vector<float>& lnCourse) {
    const std::vector<CoursePoint> points = EvidenceCourse(lnCourse);
    course_.Clear();
    double low = 0;
    double high = OnePercentLevel + 0.5;
    for (const CoursePoint& point : points) {
        course_.AddPoint(point.Guess, point.Log10Wealth);
        low = std::min(low, point.Log10Wealth);
        high = std::max(high, point.Log10Wealth);
    }
    const double right = std::max(1.0, points.back().Guess);
    for (auto [series, level] :
         {std::pair{&fivePercent_, FivePercentLevel}, std::pair{&onePercent_, OnePercentLevel}}) {
        series->Clear();
        series->AddPoint(0, level);
        series->AddPoint(right, level);
    }
    chart_.LeftAxis().SetRange(std::floor(low), std::ceil(high));
    chart_.BottomAxis().SetRange(0, right);
}

} // namespace kvarzel
