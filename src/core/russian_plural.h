// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// The three forms a Russian noun takes after a number: "1 горошина",
// "2 горошины", "5 горошин".
enum class RussianPlural { One, Few, Many };

// The form for a count: One after 1, 21, 101 ...; Few after 2-4, 22-24 ...;
// Many after the rest, 11-14 and 111-114 included. A negative count takes the
// form of its size.
constexpr RussianPlural RussianPluralOf(std::int64_t count) {
    const std::int64_t size = count < 0 ? -count : count;
    const std::int64_t lastTwo = size % 100;
    const std::int64_t last = size % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return RussianPlural::Many;
    if (last == 1)
        return RussianPlural::One;
    if (last >= 2 && last <= 4)
        return RussianPlural::Few;
    return RussianPlural::Many;
}

} // namespace kvarzel
