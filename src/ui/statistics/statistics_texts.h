// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/history/evidence_summary.h"
#include "ui/statistics/training_statistics.h"

#include <QString>
#include <QStringList>

namespace kvarzel {

// The statistics table's columns, in order.
enum StatisticsColumn {
    NumberColumn,
    TimeColumn,
    PeasColumn,
    BlackPeasColumn,
    WhiteAnswersColumn,
    BlackAnswersColumn,
    TimerAnswersColumn,
    RightColumn,
    PercentColumn,
    FigureColumn,
    NoteColumn,
    StatisticsColumnCount
};

// The statistics dialog's texts, with the user's decimal separator.
const QStringList& StatisticsColumnTitles();
QString StatisticsColumnToolTip(int column);
QString StatisticsCell(const StatisticsRow& row, int column);
Qt::Alignment StatisticsCellAlignment(int column);
// Texts as wide as a cell of the column can get where that is known.
QStringList StatisticsWidestTexts(int column);
QString StatisticsRowToolTip(const StatisticsRow& row);
// A training's own figure; "—" for a line without evidence.
QString TrainingFigureText(const TrainingRecord& record);

// The headline: the run's figure, and the history's when it is shown.
QString RunFigureText(const TrainingStatistics& statistics);
QString HistoryFigureText(const EvidenceSummary& history);
// Right answers against what no intuition gives, and the rows at or below
// 5 % against what chance alone gives; `scope` says whose ("в этой серии").
QString ExpectationText(const EvidenceSummary& summary, const QString& scope);
QString RowsText(const EvidenceSummary& summary);
// Why lines of the history have no figure; empty when all have one.
QString OlderLinesText(const EvidenceSummary& history);
extern const char* const SingleRowWarning;
extern const char* const FigureExplanation;
// Where the history goes, or what is wrong with its file; empty when it is off.
QString HistoryStatusText(const TrainingStatistics& statistics);

} // namespace kvarzel
