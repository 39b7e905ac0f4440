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

std::vector<CoursePoint> EvidenceCourse(const std::vector<float>& lnCourse, std::size_t limit) {
    std::vector<CoursePoint> points{{0, NoEvidenceLevel}};
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
            {static_cast<double>(highest - lnCourse.begin() + 1), Log10Figure(*highest)});
    }
    if (points.back().Guess != static_cast<double>(guesses))
        points.push_back({static_cast<double>(guesses), Log10Figure(lnCourse.back())});
    return points;
}

std::vector<CoursePoint> ReadingPoints(const std::vector<float>& lnCourse,
                                       const std::vector<std::size_t>& readings,
                                       std::size_t limit) {
    std::vector<CoursePoint> points;
    if (readings.size() > limit)
        return points;
    for (const std::size_t guesses : readings) {
        const double lnWealth = guesses == 0 ? 0.0 : lnCourse.at(guesses - 1);
        points.push_back({static_cast<double>(guesses), Log10Figure(lnWealth)});
    }
    return points;
}

EvidencePicture::EvidencePicture(TChart& chart)
    : chart_(chart), course_((ConfigureChart(chart), AddLine(chart, CourseColor, 2))),
      readings_(AddDots(chart, ReadingColor)), fivePercent_(AddLine(chart, FivePercentColor, 1)),
      onePercent_(AddLine(chart, OnePercentColor, 1)) {}

void EvidencePicture::Show(const std::vector<float>& lnCourse,
                           const std::vector<std::size_t>& readings) {
    const std::vector<CoursePoint> points = EvidenceCourse(lnCourse);
    course_.Clear();
    double low = OnePercentLevel - 0.5;
    for (const CoursePoint& point : points) {
        course_.AddPoint(point.Guess, point.Log10Figure);
        low = std::min(low, point.Log10Figure);
    }
    readings_.Clear();
    for (const CoursePoint& point : ReadingPoints(lnCourse, readings))
        readings_.AddPoint(point.Guess, point.Log10Figure);
    const double right = std::max(1.0, points.back().Guess);
    for (auto [series, level] :
         {std::pair{&fivePercent_, FivePercentLevel}, std::pair{&onePercent_, OnePercentLevel}}) {
        series->Clear();
        series->AddPoint(0, level);
        series->AddPoint(right, level);
    }
    chart_.LeftAxis().SetRange(std::floor(low), NoEvidenceLevel);
    chart_.BottomAxis().SetRange(0, right);
}

} // namespace kvarzel
