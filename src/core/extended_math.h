// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <limits>

namespace kvarzel {

// Percentages and the black-pea count are evaluated in 80-bit extended
// precision: the results of ties depend on it (3/20 of 190 is 29, not 28).
using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "the trainer's percentages need an 80-bit extended type with a 64-bit significand");

// Nearest whole number, ties to the even neighbour.
inline long long RoundHalfEven(Extended value) {
    return std::llrintl(value);
}

} // namespace kvarzel
