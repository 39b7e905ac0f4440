#pragma once

#include <QString>

#include <vector>

namespace kvarzel {

enum TChartListOrder { loNone, loAscending, loDescending };

// One coordinate of a series' points, kept in the order its Order asks for.
class TChartValueList {
public:
    TChartValueList(QString name, TChartListOrder order) : name_(std::move(name)), order_(order) {}

    const QString& Name() const { return name_; }
    TChartListOrder Order() const { return order_; }
    double Multiplier() const { return multiplier_; }
    bool DateTime() const { return dateTime_; }
    void SetOrder(TChartListOrder value) { order_ = value; }
    void SetMultiplier(double value) { multiplier_ = value; }
    void SetDateTime(bool value) { dateTime_ = value; }

    int Count() const { return static_cast<int>(values_.size()); }
    // The stored value times Multiplier.
    double Value(int index) const { return values_[index] * multiplier_; }
    double First() const { return Value(0); }
    double Last() const { return Value(Count() - 1); }
    double MinValue() const;
    double MaxValue() const;

    // Inserts by the order rule (equal values keep their arrival order) and returns the index.
    int AddChartValue(double value);
    void InsertAt(int index, double value);

private:
    int OrderedIndex(double value) const;

    QString name_;
    TChartListOrder order_;
    double multiplier_ = 1;
    bool dateTime_ = false;
    std::vector<double> values_;
};

} // namespace kvarzel
