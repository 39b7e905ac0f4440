#pragma once

#include "platform/history_file.h"
#include "ui/statistics/training_statistics.h"

#include <QString>
#include <QStringList>

namespace kvarzel {

// The statistics dialog's texts, with the user's decimal separator.
QStringList StatisticsColumnTitles();
QStringList StatisticsCells(const StatisticsRow& row);
// "За эту серию: ..." or the note that the run has no training yet.
QString RunSummaryText(const TrainingStatistics& statistics);
// Where the history goes, or what is wrong with its file; empty when it is off.
QString HistoryStatusText(const TrainingStatistics& statistics);
// The chance figure as the table shows it; "—" when there is none.
QString ChanceCellText(const std::optional<double>& logChance);

} // namespace kvarzel
