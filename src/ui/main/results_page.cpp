#include "ui/main/results_page.h"

#include "chart/chart.h"
#include "chart/custom_series.h"
#include "chart/number_format.h"
#include "platform/locale_separators.h"

#include <QLineEdit>
#include <QTabWidget>

namespace kvarzel {

ResultsPage::ResultsPage(TChart& chart, TLineSeries& series, QLineEdit& averageEdit,
                         QTabWidget& pages, QWidget& page)
    : chart_(chart), series_(series), averageEdit_(averageEdit), pages_(pages), page_(page) {}

void ResultsPage::AddTrainingResult(double percentage, int trainingCount) {
    series_.AddPoint(trainingCount, percentage);
    chart_.BottomAxis().SetMaximum(trainingCount + 1.0);
    averageEdit_.setText(FormatNumber(Average(), 6, 2, UserNumberSeparators()));
    pages_.setCurrentWidget(&page_);
}

double ResultsPage::Average() const {
    const TChartValueList& values = series_.YValues();
    double sum = 0;
    for (int index = 0; index < values.Count(); ++index)
        sum += values.Value(index);
    return sum / values.Count();
}

} // namespace kvarzel
