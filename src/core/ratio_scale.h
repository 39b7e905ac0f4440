// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

namespace kvarzel {

// The share of black peas in twentieths. Both ends of the scale leave the
// colours to chance; the bucket filling and the options dialog's track bar
// take their bounds from here.
constexpr std::int32_t RatioScaleMin = 0;
constexpr std::int32_t RatioScaleMax = 20;

constexpr bool IsChanceRatio(std::int32_t ratio) {
    return ratio == RatioScaleMin || ratio == RatioScaleMax;
}

constexpr std::int32_t ClampRatio(std::int32_t ratio) {
    return std::clamp(ratio, RatioScaleMin, RatioScaleMax);
}

} // namespace kvarzel
