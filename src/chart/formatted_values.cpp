// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/formatted_values.h"

#include "chart/number_format.h"

#include <bit>
#include <cstddef>

namespace kvarzel {

const QString& FormattedValues::Text(int index, double value, const QString& format) {
    if (format != format_) {
        format_ = format;
        entries_.clear();
    }
    const auto slot = static_cast<std::size_t>(index);
    if (slot >= entries_.size())
        entries_.resize(slot + 1);
    Entry& entry = entries_[slot];
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (!entry.Known || entry.Bits != bits)
        entry = {bits, true, FormatFloat(format, value, UserNumberSeparators())};
    return entry.Text;
}

} // namespace kvarzel
