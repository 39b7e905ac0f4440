// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// One process-wide 32-bit linear congruential generator, seeded from the
// time of day at every training start.
extern std::uint32_t Seed;

// Seed := milliseconds since UTC midnight (the date plays no part).
void SeedFromClock();

// The value SeedFromClock stores at that UTC time of day.
std::uint32_t TimeOfDaySeed(int hour, int minute, int second, int millisecond);

// Advances the state once and returns a number in 0..Range-1 (0 for a
// Range below 1).
std::int32_t NextBelow(std::int32_t Range);

} // namespace kvarzel
