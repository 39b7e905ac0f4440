#include "core/utc_clock.h"

#include <chrono>

namespace kvarzel {
namespace {

std::function<UtcTimeOfDay()>& Source() {
    static std::function<UtcTimeOfDay()> source;
    return source;
}

UtcTimeOfDay SystemUtcTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = duration_cast<milliseconds>(now - floor<days>(now)).count();
    return {static_cast<int>(sinceMidnight / 3600000), static_cast<int>(sinceMidnight / 60000 % 60),
            static_cast<int>(sinceMidnight / 1000 % 60), static_cast<int>(sinceMidnight % 1000)};
}

} // namespace

UtcTimeOfDay CurrentUtcTimeOfDay() {
    return Source() ? Source()() : SystemUtcTimeOfDay();
}

void SetUtcTimeOfDaySource(std::function<UtcTimeOfDay()> source) {
    Source() = std::move(source);
}

} // namespace kvarzel
