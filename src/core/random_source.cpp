// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random_source.h"

#include "core/utc_clock.h"

namespace kvarzel {

std::uint32_t Seed = 0;

namespace {
constexpr std::uint32_t Multiplier = 134775813;
}

// Unsigned, so that any fields wrap modulo 2^32 like the generator itself.
std::uint32_t TimeOfDaySeed(int hour, int minute, int second, int millisecond) {
    const auto field = [](int value) { return static_cast<std::uint32_t>(value); };
    return ((field(hour) * 60 + field(minute)) * 60 + field(second)) * 1000 + field(millisecond);
}

void SeedFromClock() {
    const UtcTimeOfDay now = CurrentUtcTimeOfDay();
    Seed = TimeOfDaySeed(now.Hour, now.Minute, now.Second, now.Millisecond);
}

std::int32_t NextBelow(std::int32_t Range) {
    Seed = Seed * Multiplier + 1;
    if (Range < 1)
        return 0;
    return static_cast<std::int32_t>(
        (static_cast<std::uint64_t>(Seed) * static_cast<std::uint32_t>(Range)) >> 32);
}

} // namespace kvarzel
