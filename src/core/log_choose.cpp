#include "core/log_choose.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kvarzel {

LogChoose::LogChoose(std::int32_t maxN) {
    logFactorials_.resize(static_cast<std::size_t>(std::max(maxN, 0)) + 1);
    for (std::size_t n = 0; n < logFactorials_.size(); ++n)
        logFactorials_[n] = std::lgammal(static_cast<long double>(n) + 1);
}

long double LogChoose::operator()(std::int32_t n, std::int32_t k) const {
    if (k < 0 || k > n || n < 0 || static_cast<std::size_t>(n) >= logFactorials_.size())
        return -std::numeric_limits<long double>::infinity();
    return logFactorials_[static_cast<std::size_t>(n)] -
           logFactorials_[static_cast<std::size_t>(k)] -
           logFactorials_[static_cast<std::size_t>(n - k)];
}

double LogAddExp(double a, double b) {
    if (a < b)
        std::swap(a, b);
    if (b == -std::numeric_limits<double>::infinity())
        return a;
    return a + std::log1p(std::exp(b - a));
}

} // namespace kvarzel
