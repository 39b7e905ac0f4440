// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace kvarzel {

class TChart;
class TLineSeries;

// The picture shows the figure on a percent scale drawn in powers of ten:
// its values are log10 of the figure in percent, 2 being 100 %.
inline constexpr double NoEvidenceLevel = 2.0;
inline constexpr double FivePercentLevel = 0.69897000433601886; // log10(5)
inline constexpr double OnePercentLevel = 0.0;                  // log10(1)
// Enough points for any width the dialog gets.
inline constexpr std::size_t CoursePointLimit = 400;

struct CoursePoint {
    double Guess = 0;       // guesses made so far
    double Log10Figure = 2; // log10 of the figure in percent after them
};

// log10 of the figure in percent that a mean wealth gives, read at that moment.
double Log10Figure(double lnWealth);

// The run's figure for drawing: the start at 100 %, then the figure where it
// was read, at the end of each training, and nowhere else: a value inside a
// training is no reading and is not drawn. `lnCourse` is ln of the mean
// wealth after each guess, `readings` the guesses made by each reading. More
// than `limit` - 1 readings are drawn by the lowest of each stretch of them,
// and the last always ends the line: the lowest drawn is the lowest read.
std::vector<CoursePoint> ReadingCourse(const std::vector<float>& lnCourse,
                                       const std::vector<std::size_t>& readings,
                                       std::size_t limit = CoursePointLimit);

// The run's evidence drawn with the program's chart: a line through the
// figure read at the end of each training, a dot at each reading, and the
// 5 % and 1 % levels across; the axes leave room for a whole dot at 100 %
// and at either end.
class EvidencePicture {
public:
    // Sets the chart up and adds its four series.
    explicit EvidencePicture(TChart& chart);

    void Show(const std::vector<float>& lnCourse, const std::vector<std::size_t>& readings);

    TLineSeries& Course() const { return course_; }
    TLineSeries& Readings() const { return readings_; }
    TLineSeries& FivePercent() const { return fivePercent_; }
    TLineSeries& OnePercent() const { return onePercent_; }

private:
    TChart& chart_;
    TLineSeries& course_;
    TLineSeries& readings_;
    TLineSeries& fivePercent_;
    TLineSeries& onePercent_;
};

} // namespace kvarzel
