// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

namespace kvarzel {

struct UtcTimeOfDay {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// The UTC time of day of a moment; the date plays no part.
UtcTimeOfDay UtcTimeOfDayAt(std::chrono::system_clock::time_point moment);

// The current UTC time of day, from the system clock unless a test has put
// its own source in place.
UtcTimeOfDay CurrentUtcTimeOfDay();

// Replaces the clock; an empty function puts the system clock back.
void SetUtcTimeOfDaySource(std::function<UtcTimeOfDay()> source);

// The moment a training starts or ends, as its record keeps it: the system
// clock unless a test has put its own source in place (an empty function
// puts the system clock back).
std::chrono::system_clock::time_point CurrentMoment();
void SetMomentSource(std::function<std::chrono::system_clock::time_point()> source);

} // namespace kvarzel
