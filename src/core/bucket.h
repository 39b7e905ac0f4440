// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace kvarzel {

// How the bucket was filled: every pea black or white by a coin toss, or
// exactly BlackPeas black peas at random places.
struct BucketMakeUp {
    bool ByChance = true;
    std::int32_t BlackPeas = 0;
    bool operator==(const BucketMakeUp&) const = default;
};

// The number of black peas for a ratio strictly inside the scale:
// ratio / 20 * count in extended precision, rounded half to even.
std::int32_t BlackTarget(std::int32_t PeasCount, std::int32_t PeasRatio);

// How FillPeas fills a bucket of that count at that ratio: to chance at either
// end of the ratio scale, with exactly BlackTarget black peas inside it. A
// ratio outside the scale is clamped into it.
BucketMakeUp BucketFor(std::int32_t PeasCount, std::int32_t PeasRatio);

// Fills the pea sequence (true = black) from the current Seed as BucketFor
// says; a negative count gives an empty bucket.
void FillPeas(std::vector<bool>& Peas, std::int32_t PeasCount, std::int32_t PeasRatio);

} // namespace kvarzel
