// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/saved_axis_ranges.h"

#include "chart/custom_axis_panel.h"

namespace kvarzel {

AxisRangeSettings AxisRangeSettings::Of(const TCustomChartAxis& axis) {
    return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
            axis.Maximum()};
}

void AxisRangeSettings::RestoreTo(TCustomChartAxis& axis) const {
    axis.SetAutomatic(Automatic);
    axis.SetAutomaticMinimum(AutomaticMinimum);
    axis.SetAutomaticMaximum(AutomaticMaximum);
    if (axis.Automatic())
        return;
    axis.SetRange(Minimum, Maximum);
    // SetRange keeps the ends apart; an axis saved with its ends together (the bottom axis
    // before the first training) gets exactly those ends back.
    if (Minimum <= Maximum && axis.Maximum() != Maximum)
        axis.SetMaximum(Maximum);
}

void SavedAxisRanges::SaveOnce(TCustomAxisPanel& chart) {
    if (!restored_)
        return;
    top_ = AxisRangeSettings::Of(chart.TopAxis());
    left_ = AxisRangeSettings::Of(chart.LeftAxis());
    right_ = AxisRangeSettings::Of(chart.RightAxis());
    bottom_ = AxisRangeSettings::Of(chart.BottomAxis());
    restored_ = false;
}

void SavedAxisRanges::Restore(TCustomAxisPanel& chart) {
    if (!restored_) {
        top_.RestoreTo(chart.TopAxis());
        bottom_.RestoreTo(chart.BottomAxis());
        left_.RestoreTo(chart.LeftAxis());
        right_.RestoreTo(chart.RightAxis());
    }
    restored_ = true;
}

} // namespace kvarzel
