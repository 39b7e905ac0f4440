// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvarzel {

class TCustomAxisPanel;
class TCustomChartAxis;

// The stored range settings of one axis: its automatic flags and its manual ends.
struct AxisRangeSettings {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;

    static AxisRangeSettings Of(const TCustomChartAxis& axis);
    // The flags first; then the manual range, unless the axis follows its data.
    void RestoreTo(TCustomChartAxis& axis) const;
};

// The ranges of the top, left, right and bottom axes from before the first zoom or scroll since
// the last undo. While "restored", nothing is saved that an undo could bring back.
class SavedAxisRanges {
public:
    bool Restored() const { return restored_; }
    // Saves the axes only while restored, so the first zoom or scroll step wins.
    void SaveOnce(TCustomAxisPanel& chart);
    // Puts back the top, bottom, left and right axis, in that order, if anything was saved.
    void Restore(TCustomAxisPanel& chart);

private:
    bool restored_ = true;
    AxisRangeSettings top_;
    AxisRangeSettings left_;
    AxisRangeSettings right_;
    AxisRangeSettings bottom_;
};

} // namespace kvarzel
