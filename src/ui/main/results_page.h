#pragma once

#include "ui/main/training_results.h"

class QLineEdit;
class QTabWidget;
class QWidget;

namespace kvarzel {

class TChart;
class TLineSeries;

// The results page: one chart point per completed training and the average
// of them all below the chart.
class ResultsPage : public TrainingResults {
public:
    ResultsPage(TChart& chart, TLineSeries& series, QLineEdit& averageEdit, QTabWidget& pages,
                QWidget& page);

    // Adds the training's point, widens the bottom axis to one past it, shows
    // the new average and brings the page forward.
    void AddTrainingResult(double percentage, int trainingCount) override;

private:
    double Average() const;

    TChart& chart_;
    TLineSeries& series_;
    QLineEdit& averageEdit_;
    QTabWidget& pages_;
    QWidget& page_;
};

} // namespace kvarzel
