#pragma once

#include <cstdint>
#include <vector>

namespace kvarzel {

// Natural logarithms of binomial coefficients up to a fixed n, from a table of
// log factorials, so that the chance sums never leave log space.
class LogChoose {
public:
    explicit LogChoose(std::int32_t maxN);

    // ln C(n, k); minus infinity when k lies outside 0..n.
    long double operator()(std::int32_t n, std::int32_t k) const;

private:
    std::vector<long double> logFactorials_;
};

// ln(e^a + e^b) without overflow; minus infinity is the neutral element.
double LogAddExp(double a, double b);

} // namespace kvarzel
