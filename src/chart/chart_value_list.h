// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_notify.h"

#include <QString>

#include <vector>

namespace kvarzel {

enum TChartListOrder { loNone, loAscending, loDescending };

// One coordinate of a series' points, kept in the order its Order asks for. A new Order applies
// to the values added from then on; the values already there stay where they are.
class TChartValueList {
public:
    TChartValueList(QString name, TChartListOrder order, ChartNotify* owner = nullptr)
        : owner_(owner), name_(std::move(name)), order_(order) {}

    const QString& Name() const { return name_; }
    TChartListOrder Order() const { return order_; }
    double Multiplier() const { return multiplier_; }
    bool DateTime() const { return dateTime_; }
    void SetOrder(TChartListOrder value) { ChangeSetting(order_, value, owner_); }
    void SetMultiplier(double value) { ChangeSetting(multiplier_, value, owner_); }
    void SetDateTime(bool value) { ChangeSetting(dateTime_, value, owner_); }

    int Count() const { return static_cast<int>(values_.size()); }
    // The stored value times Multiplier.
    double Value(int index) const { return values_[index] * multiplier_; }
    double Last() const { return Value(Count() - 1); }
    double MinValue() const;
    double MaxValue() const;
    // Value(i) never decreases with i, so a search may halve its way through the list.
    bool Ascending() const { return storedAscending_ && multiplier_ >= 0; }

    // Inserts by the order rule (equal values keep their arrival order) and returns the index.
    int AddChartValue(double value);
    void InsertAt(int index, double value);
    void Clear() {
        values_.clear();
        storedAscending_ = true;
    }

private:
    int OrderedIndex(double value) const;
    bool KeepsAscending(int index, double value) const;

    ChartNotify* owner_;
    QString name_;
    TChartListOrder order_;
    double multiplier_ = 1;
    bool dateTime_ = false;
    std::vector<double> values_;
    // Insertion never undoes an existing descent, so once false it stays false.
    bool storedAscending_ = true;
};

} // namespace kvarzel
