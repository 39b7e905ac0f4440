// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/results_page.h"

#include "chart/chart.h"
#include "chart/custom_series.h"
#include "chart/number_format.h"
#include "platform/desktop/locale_separators.h"

#include <QLineEdit>
#include <QStringList>
#include <QTabWidget>

namespace kvarzel {

ResultsPage::ResultsPage(TChart& chart, TLineSeries& series, QLineEdit& averageEdit,
                         QTabWidget& pages, QWidget& page)
    : chart_(chart), series_(series), averageEdit_(averageEdit), pages_(pages), page_(page),
      chartHint_(chart.accessibleDescription()) {
    chart_.OnAllowScroll = [this](TCustomChartAxis* axis, double& min, double& max, bool& allow) {
        IntuitionChartAllowScroll(axis, min, max, allow);
    };
}

void ResultsPage::AddTrainingResult(double percentage, int trainingCount) {
    // The new point and the wider axis must be seen in full, not through an old zoom.
    chart_.RevertZoom();
    trainingCount_ = trainingCount;
    series_.AddPoint(trainingCount, percentage);
    chart_.BottomAxis().SetMaximum(trainingCount + 1.0);
    averageEdit_.setText(FormatNumber(Average(), 6, 2, UserNumberSeparators()));
    DescribePoints();
    pages_.setCurrentWidget(&page_);
}

// "Точки: 1: 60; 2: 72,5. <hint>": each training's number and its mark's text,
// with a semicolon between them since a mark may hold a decimal comma.
void ResultsPage::DescribePoints() {
    QStringList points;
    for (int index = 0; index < series_.Count(); ++index)
        points << QStringLiteral("%1: %2").arg(
                      QString::number(series_.XValues().Value(index), 'f', 0),
                      series_.MarkText(index));
    chart_.setAccessibleDescription(QStringLiteral("Точки: %1. %2").arg(points.join("; "),
                                                                      chartHint_));
}

void ResultsPage::IntuitionChartAllowScroll(TCustomChartAxis* axis, double& min, double& max,
                                            bool&) const {
    double limit = 0;
    if (axis == &chart_.LeftAxis())
        limit = 100;
    else if (axis == &chart_.BottomAxis())
        limit = trainingCount_ + 1.0;
    else
        return;
    // Each end on its own: at an edge one end stops while the other moves on.
    if (!(min >= 0))
        min = 0;
    if (max > limit)
        max = limit;
}

double ResultsPage::Average() const {
    const TChartValueList& values = series_.YValues();
    double sum = 0;
    for (int index = 0; index < values.Count(); ++index)
        sum += values.Value(index);
    return sum / values.Count();
}

} // namespace kvarzel
