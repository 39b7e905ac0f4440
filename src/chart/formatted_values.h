// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace kvarzel {

// The texts of a series' values by its value format, each formatted once: a chart repaints
// the same marks again and again, and formatting a number costs more than drawing its text.
class FormattedValues {
public:
    // The text of the value at `index`; formatted afresh when the value or the format has
    // changed since it was last asked for.
    const QString& Text(int index, double value, const QString& format);

private:
    struct Entry {
        // The value's bits: -0 and 0 are other values, as is every other NaN.
        std::uint64_t Bits = 0;
        bool Known = false;
        QString Text;
    };

    QString format_;
    std::vector<Entry> entries_;
};

} // namespace kvarzel
