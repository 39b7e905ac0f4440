// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_value_list.h"

#include <algorithm>

namespace kvarzel {

double TChartValueList::MinValue() const {
    if (values_.empty())
        return 0;
    return *std::min_element(values_.begin(), values_.end()) * multiplier_;
}

double TChartValueList::MaxValue() const {
    if (values_.empty())
        return 0;
    return *std::max_element(values_.begin(), values_.end()) * multiplier_;
}

int TChartValueList::OrderedIndex(double value) const {
    const int count = Count();
    if (order_ == loNone || count == 0)
        return count;
    // Walk back over the values that must follow the new one; equal ones stay in front of it.
    const auto mustFollow = [&](double stored) {
        return order_ == loAscending ? stored > value : stored < value;
    };
    int index = count;
    while (index > 0 && mustFollow(values_[index - 1]))
        --index;
    return index;
}

int TChartValueList::AddChartValue(double value) {
    const int index = OrderedIndex(value);
    InsertAt(index, value);
    return index;
}

bool TChartValueList::KeepsAscending(int index, double value) const {
    const bool afterPrevious = index == 0 || values_[index - 1] <= value;
    const bool beforeNext = index == Count() || value <= values_[index];
    return afterPrevious && beforeNext;
}

void TChartValueList::InsertAt(int index, double value) {
    index = std::clamp(index, 0, Count());
    storedAscending_ = storedAscending_ && KeepsAscending(index, value);
    values_.insert(values_.begin() + index, value);
}

} // namespace kvarzel
