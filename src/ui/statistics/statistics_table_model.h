// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

namespace kvarzel {

class TrainingStatistics;

// The statistics table over the rows as they are: a cell's text is made when
// the view asks for it, so only the rows in sight cost anything.
class StatisticsTableModel : public QAbstractTableModel {
public:
    StatisticsTableModel(const TrainingStatistics& statistics, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows have changed as a whole: a training, the history turned on.
    void RowsChanged();

private:
    const TrainingStatistics& statistics_;
};

} // namespace kvarzel
