// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main/training_results.h"

class QLineEdit;
class QTabWidget;
class QWidget;

namespace kvarzel {

class TChart;
class TCustomChartAxis;
class TLineSeries;

// The results page: one chart point per completed training and the average
// of them all below the chart.
class ResultsPage : public TrainingResults {
public:
    ResultsPage(TChart& chart, TLineSeries& series, QLineEdit& averageEdit, QTabWidget& pages,
                QWidget& page);

    // Undoes any zoom or scroll, adds the training's point, widens the bottom
    // axis to one past it, shows the new average and brings the page forward.
    void AddTrainingResult(double percentage, int trainingCount) override;

    // The chart's scroll hook: each end stays within 0..100 on the left axis
    // and within 0..trainings + 1 on the bottom axis; the scroll always goes on.
    void IntuitionChartAllowScroll(TCustomChartAxis* axis, double& min, double& max,
                                   bool& allow) const;

private:
    double Average() const;
    // A screen reader reads the chart's points, a sighted user's marks, in its description.
    void DescribePoints();

    TChart& chart_;
    TLineSeries& series_;
    QLineEdit& averageEdit_;
    QTabWidget& pages_;
    QWidget& page_;
    int trainingCount_ = 0;
    // What the chart's description said before any point: how to zoom and scroll it.
    QString chartHint_;
};

} // namespace kvarzel
