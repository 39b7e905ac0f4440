// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/bound_text.h"

#include "platform/desktop/locale_separators.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace kvarzel {
namespace {

// Below 0,0001% the figure keeps an exponent.
constexpr long long SmallestPlainExponent = -4;
// Where a percentage still fits a double with all its digits.
constexpr double SmallestDirectLog10 = -300;

// `value` (at least 1 for a mantissa, or any positive percentage) times
// 10^extraExponent, rounded up on the digits of its shortest decimal form.
RoundedBound RoundUpDecimal(double value, long long extraExponent) {
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const std::string form(text, written.ptr);
    const std::size_t e = form.find('e');
    std::string digits = form.substr(0, e);
    if (digits.size() > 1)
        digits.erase(1, 1); // the decimal point
    long long exponent = std::stoll(form.substr(e + 1)) + extraExponent;
    int mantissa = (digits[0] - '0') * 10 + (digits.size() > 1 ? digits[1] - '0' : 0);
    // The shortest form has no trailing zeros: any third digit means more.
    if (digits.size() > 2)
        ++mantissa;
    if (mantissa == 100) {
        mantissa = 10;
        ++exponent;
    }
    return {mantissa, exponent};
}

QString Superscript(long long number) {
    static const char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text = number < 0 ? QString(u'⁻') : QString();
    for (const char digit : std::to_string(std::llabs(number)))
        text += QChar(digits[digit - '0']);
    return text;
}

QString PlainText(const RoundedBound& bound, QChar decimal) {
    const QString digits = QString::number(bound.Mantissa);
    if (bound.Exponent >= 1)
        return digits + QString(static_cast<int>(bound.Exponent - 1), QLatin1Char('0'));
    if (bound.Exponent == 0)
        return digits.left(1) + decimal + digits.mid(1);
    return QString("0") + decimal +
           QString(static_cast<int>(-bound.Exponent - 1), QLatin1Char('0')) + digits;
}

} // namespace

RoundedBound RoundBoundUp(double logBound) {
    if (!(logBound < 0))
        return {};
    const double log10Percent = logBound / std::numbers::ln10 + 2;
    if (log10Percent > SmallestDirectLog10)
        return RoundPercentUp(100 * std::exp(logBound));
    const double exponent = std::floor(log10Percent);
    return RoundUpDecimal(std::pow(10.0, log10Percent - exponent),
                          static_cast<long long>(exponent));
}

RoundedBound RoundPercentUp(double percent) {
    return RoundUpDecimal(percent, 0);
}

QString BoundText(double logBound, QChar decimal) {
    const RoundedBound bound = RoundBoundUp(logBound);
    // "Not above 100 %" says nothing either.
    if (bound == RoundedBound{})
        return "нет свидетельств";
    if (bound.Exponent >= SmallestPlainExponent)
        return "не больше " + PlainText(bound, decimal) + "%";
    return QString("не больше %1%2%3·10%4%")
        .arg(bound.Mantissa / 10)
        .arg(decimal)
        .arg(bound.Mantissa % 10)
        .arg(Superscript(bound.Exponent));
}

QString BoundText(double logBound) {
    return BoundText(logBound, UserNumberSeparators().Decimal);
}

QString PowerOfTenPercentText(int exponent, QChar decimal) {
    if (exponent >= 0)
        return "1" + QString(exponent, QLatin1Char('0')) + "%";
    if (exponent >= SmallestPlainExponent)
        return QString("0") + decimal + QString(-exponent - 1, QLatin1Char('0')) + "1%";
    return "10" + Superscript(exponent) + "%";
}

} // namespace kvarzel
