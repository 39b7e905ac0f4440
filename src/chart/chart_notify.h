// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvarzel {

// What a setting tells its chart when its value changes: the chart redraws on the next paint.
class ChartNotify {
public:
    virtual void Invalidate() = 0;

protected:
    ~ChartNotify() = default;
};

// Stores a new value and tells the owner; an equal value changes nothing and tells nobody.
template <class T> bool ChangeSetting(T& field, const T& value, ChartNotify* owner) {
    if (field == value)
        return false;
    field = value;
    if (owner)
        owner->Invalidate();
    return true;
}

} // namespace kvarzel
