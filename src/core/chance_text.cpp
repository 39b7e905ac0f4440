#include "core/chance_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kvarzel {
namespace {

// Where the plain decimal form ends: 0,0001% has four decimals.
constexpr int SmallestPlainExponent = -4;

struct TwoDigits {
    int Mantissa = 0; // 10..99
    long long Exponent = 0;
};

// The percentage as Mantissa * 10^(Exponent - 1), rounded to two digits.
TwoDigits RoundToTwoDigits(double log10Percent) {
    auto exponent = static_cast<long long>(std::floor(log10Percent));
    int mantissa = static_cast<int>(
        std::lround(std::pow(10.0, log10Percent - static_cast<double>(exponent) + 1)));
    if (mantissa >= 100) {
        mantissa /= 10;
        ++exponent;
    }
    return {mantissa, exponent};
}

std::string SuperscriptNumber(long long number) {
    static const char* const digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = number < 0 ? "⁻" : "";
    for (char digit : std::to_string(std::llabs(number)))
        text += digits[digit - '0'];
    return text;
}

std::string PlainText(const TwoDigits& rounded, const std::string& separator) {
    const std::string digits = std::to_string(rounded.Mantissa);
    if (rounded.Exponent >= 1)
        return digits + std::string(static_cast<std::size_t>(rounded.Exponent - 1), '0');
    if (rounded.Exponent == 0)
        return digits.substr(0, 1) + separator + digits.substr(1);
    const std::string zeros(static_cast<std::size_t>(-rounded.Exponent - 1), '0');
    return "0" + separator + zeros + digits;
}

} // namespace

std::string ChancePercentText(double logProbability, const std::string& decimalSeparator) {
    if (std::isnan(logProbability) || logProbability == -HUGE_VAL)
        return "0%";
    const double log10Percent = std::min(logProbability, 0.0) / std::numbers::ln10 + 2;
    const TwoDigits rounded = RoundToTwoDigits(log10Percent);
    if (rounded.Exponent >= SmallestPlainExponent)
        return PlainText(rounded, decimalSeparator) + "%";
    return std::to_string(rounded.Mantissa / 10) + decimalSeparator +
           std::to_string(rounded.Mantissa % 10) + "·10" + SuperscriptNumber(rounded.Exponent) +
           "%";
}

} // namespace kvarzel
