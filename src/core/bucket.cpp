// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bucket.h"

#include "core/extended_math.h"
#include "core/random_source.h"
#include "core/ratio_scale.h"

#include <algorithm>

namespace kvarzel {

std::int32_t BlackTarget(std::int32_t PeasCount, std::int32_t PeasRatio) {
    const Extended share = static_cast<Extended>(PeasRatio) / static_cast<Extended>(RatioScaleMax);
    return static_cast<std::int32_t>(RoundHalfEven(share * static_cast<Extended>(PeasCount)));
}

BucketMakeUp BucketFor(std::int32_t PeasCount, std::int32_t PeasRatio) {
    const std::int32_t ratio = ClampRatio(PeasRatio);
    if (IsChanceRatio(ratio))
        return {true, 0};
    return {false, BlackTarget(PeasCount, ratio)};
}

namespace {

void FillByChance(std::vector<bool>& peas) {
    for (std::size_t index = 0; index < peas.size(); ++index)
        peas[index] = NextBelow(2) == 1;
}

// The sequence comes in all white.
void FillExactly(std::vector<bool>& peas, std::int32_t black) {
    const auto count = static_cast<std::int32_t>(peas.size());
    for (std::int32_t placed = 1; black >= placed;) {
        const auto position = static_cast<std::size_t>(NextBelow(count));
        if (!peas[position]) {
            peas[position] = true;
            ++placed;
        }
    }
}

} // namespace

void FillPeas(std::vector<bool>& Peas, std::int32_t PeasCount, std::int32_t PeasRatio) {
    const std::int32_t count = std::max(PeasCount, 0);
    Peas.assign(static_cast<std::size_t>(count), false);
    const BucketMakeUp bucket = BucketFor(count, PeasRatio);
    if (bucket.ByChance)
        FillByChance(Peas);
    else
        FillExactly(Peas, bucket.BlackPeas);
}

} // namespace kvarzel
