// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/custom_chart.h"

namespace kvarzel {

// The chart control the windows place: every setting of the levels below is public.
class TChart final : public TCustomChart {
public:
    explicit TChart(QWidget* parent = nullptr) : TCustomChart(parent) {}
};

} // namespace kvarzel
