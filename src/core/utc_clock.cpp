// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/utc_clock.h"

namespace kvarzel {
namespace {

std::function<UtcTimeOfDay()>& Source() {
    static std::function<UtcTimeOfDay()> source;
    return source;
}

std::function<std::chrono::system_clock::time_point()>& MomentSource() {
    static std::function<std::chrono::system_clock::time_point()> source;
    return source;
}

} // namespace

UtcTimeOfDay UtcTimeOfDayAt(std::chrono::system_clock::time_point moment) {
    using namespace std::chrono;
    const auto sinceMidnight = floor<milliseconds>(moment - floor<days>(moment)).count();
    return {static_cast<int>(sinceMidnight / 3600000), static_cast<int>(sinceMidnight / 60000 % 60),
            static_cast<int>(sinceMidnight / 1000 % 60), static_cast<int>(sinceMidnight % 1000)};
}

UtcTimeOfDay CurrentUtcTimeOfDay() {
    return Source() ? Source()() : UtcTimeOfDayAt(std::chrono::system_clock::now());
}

void SetUtcTimeOfDaySource(std::function<UtcTimeOfDay()> source) {
    Source() = std::move(source);
}

std::chrono::system_clock::time_point CurrentMoment() {
    return MomentSource() ? MomentSource()() : std::chrono::system_clock::now();
}

void SetMomentSource(std::function<std::chrono::system_clock::time_point()> source) {
    MomentSource() = std::move(source);
}

} // namespace kvarzel
