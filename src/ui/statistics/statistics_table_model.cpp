// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/statistics_table_model.h"

#include "ui/statistics/statistics_texts.h"
#include "ui/statistics/training_statistics.h"

#include <QFont>
#include <QPalette>

namespace kvarzel {

StatisticsTableModel::StatisticsTableModel(const TrainingStatistics& statistics, QObject* parent)
    : QAbstractTableModel(parent), statistics_(statistics) {}

int StatisticsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : statistics_.RowCount();
}

int StatisticsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(StatisticsColumnTitles().size());
}

QVariant StatisticsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= statistics_.RowCount())
        return {};
    const StatisticsRow row = statistics_.Row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return StatisticsCell(row, index.column());
    case Qt::TextAlignmentRole:
        return static_cast<int>(StatisticsCellAlignment(index.column()));
    case Qt::FontRole: {
        // The trainings of this run stand out among the earlier ones.
        if (!row.InRun || !statistics_.ShowsHistory())
            return {};
        QFont font;
        font.setBold(true);
        return font;
    }
    case Qt::ToolTipRole:
        return StatisticsRowToolTip(row);
    default:
        return {};
    }
}

QVariant StatisticsTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(StatisticsColumnTitles().size()))
        return {};
    if (role == Qt::DisplayRole)
        return StatisticsColumnTitles()[section];
    if (role == Qt::ToolTipRole)
        return StatisticsColumnToolTip(section);
    return {};
}

void StatisticsTableModel::RowsChanged() {
    beginResetModel();
    endResetModel();
}

} // namespace kvarzel
