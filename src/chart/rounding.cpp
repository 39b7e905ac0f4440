// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rounding.h"

#include <cmath>
#include <limits>

namespace kvarzel {

static_assert(std::numeric_limits<long double>::digits == 64,
              "pixel arithmetic expects the 80-bit extended type");

std::int64_t Nearest(long double x) {
    if (!std::isfinite(x))
        return 0;
    constexpr long double limit = 9.0e18L;
    if (x >= limit)
        return static_cast<std::int64_t>(limit);
    if (x <= -limit)
        return -static_cast<std::int64_t>(limit);
    // rint rounds like nearbyint in the default mode, without saving the floating-point state.
    return static_cast<std::int64_t>(std::rint(x));
}

std::int64_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t num = product < 0 ? 0 - static_cast<std::uint64_t>(product) : product;
    const std::uint64_t den = c < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(c))
                                    : static_cast<std::uint64_t>(c);
    std::uint64_t quotient = num / den;
    if ((num % den) * 2 >= den)
        ++quotient;
    const auto magnitude = static_cast<std::int64_t>(quotient);
    return negative ? -magnitude : magnitude;
}

int ScalePercent(int percent, int size) {
    return static_cast<int>(MulDiv(percent, size, 100));
}

} // namespace kvarzel
