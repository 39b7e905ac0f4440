// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace kvarzel {

class TChart;
class TLineSeries;

// The levels the picture marks: a mean wealth of 20 is a figure of 5 %, one
// of 100 a figure of 1 %.
inline constexpr double FivePercentLevel = 1.3010299956639813; // log10(20)
inline constexpr double OnePercentLevel = 2.0;                 // log10(100)
// Enough points for any width the dialog gets.
inline constexpr std::size_t CoursePointLimit = 400;

struct CoursePoint {
    double Guess = 0;       // guesses made so far
    double Log10Wealth = 0; // log10 of the mean wealth after them
};

// The course of the run's evidence for drawing: the start at wealth 1, then
// at most `limit` - 1 points, each the highest of its stretch of guesses, so
// that every peak the figure comes from is drawn; the last guess always ends
// the line. `lnCourse` is ln of the mean wealth after each guess.
std::vector<CoursePoint> EvidenceCourse(const std::vector<float>& lnCourse,
                                        std::size_t limit = CoursePointLimit);

// The run's evidence drawn with the program's chart: the course as a line
// over the guesses, with the 5 % and 1 % levels across.
class EvidencePicture {
public:
    // Sets the chart up and adds its three series.
    explicit EvidencePicture(TChart& chart);

    void Show(const std::vector<float>& lnCourse);

    TLineSeries& Course() const { return course_; }
    TLineSeries& FivePercent() const { return fivePercent_; }
    TLineSeries& OnePercent() const { return onePercent_; }

private:
    TChart& chart_;
    TLineSeries& course_;
    TLineSeries& fivePercent_;
    TLineSeries& onePercent_;
};

} // namespace kvarzel
