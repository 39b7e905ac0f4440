// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kvarzel {

namespace {

constexpr int kSignificantDigits = 18;

// A value rounded to decimal digits: integer and fraction digit strings, and its sign.
struct RoundedDecimal {
    std::string Integer;
    std::string Fraction;
    bool Negative = false;
};

struct Picture {
    bool Grouped = false;
    int MinDecimals = 0;
    int MaxDecimals = 0;
};

Picture ParsePicture(const QString& format) {
    Picture picture;
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? format : format.left(point);
    picture.Grouped = integerPart.contains(QLatin1Char(','));
    if (point >= 0) {
        for (const QChar c : format.mid(point + 1)) {
            if (c == QLatin1Char('0'))
                picture.MinDecimals = ++picture.MaxDecimals;
            else if (c == QLatin1Char('#'))
                ++picture.MaxDecimals;
        }
    }
    return picture;
}

// Adds one unit in the last place; false when the carry runs out of the front.
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

// Keeps at most `decimals` decimals (and `precision` significant digits when positive) of the
// 18-digit form of |value|, halves rounding away from zero.
RoundedDecimal RoundDecimal(double value, int decimals, int precision) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    *written.ptr = '\0';
    std::string digits{buffer[0]};
    digits.append(buffer + 2, buffer + 1 + kSignificantDigits);
    int integerDigits = std::atoi(std::strchr(buffer, 'e') + 1) + 1;

    int keep = integerDigits + decimals;
    if (precision > 0)
        keep = std::min(keep, precision);
    RoundedDecimal result;
    result.Negative = std::signbit(value);
    if (keep < 0 || value == 0) {
        result.Integer = "0";
        return result;
    }
    const bool roundUp = keep < kSignificantDigits && digits[keep] >= '5';
    digits.resize(std::min(keep, kSignificantDigits));
    if (roundUp && !IncrementDigits(digits)) {
        digits.insert(digits.begin(), '1');
        ++integerDigits;
    }
    if (integerDigits <= 0) {
        result.Integer = "0";
        result.Fraction = std::string(-integerDigits, '0') + digits;
    } else if (integerDigits >= static_cast<int>(digits.size())) {
        result.Integer = digits + std::string(integerDigits - digits.size(), '0');
    } else {
        result.Integer = digits.substr(0, integerDigits);
        result.Fraction = digits.substr(integerDigits);
    }
    return result;
}

QString GroupThousands(const std::string& integer, QChar separator) {
    QString text;
    const int length = static_cast<int>(integer.size());
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            text += separator;
        text += QLatin1Char(integer[i]);
    }
    return text;
}

QString Compose(RoundedDecimal number, const Picture& picture, NumberSeparators separators) {
    std::string& fraction = number.Fraction;
    fraction.resize(std::max<std::size_t>(fraction.size(), picture.MinDecimals), '0');
    while (static_cast<int>(fraction.size()) > picture.MinDecimals && fraction.back() == '0')
        fraction.pop_back();
    const auto firstDigit = number.Integer.find_first_not_of('0');
    const std::string integer =
        firstDigit == std::string::npos ? "0" : number.Integer.substr(firstDigit);
    const bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;

    QString text = number.Negative && !zero ? QStringLiteral("-") : QString();
    text += picture.Grouped ? GroupThousands(integer, separators.Thousands)
                            : QString::fromStdString(integer);
    if (!fraction.empty())
        text += separators.Decimal + QString::fromStdString(fraction);
    return text;
}

QString NonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString FormatFloat(const QString& format, double value, NumberSeparators separators) {
    if (!std::isfinite(value))
        return NonFinite(value);
    const Picture picture = ParsePicture(format);
    return Compose(RoundDecimal(value, picture.MaxDecimals, 0), picture, separators);
}

QString FormatNumber(double value, int precision, int decimals, NumberSeparators separators) {
    if (!std::isfinite(value))
        return NonFinite(value);
    const Picture picture{true, decimals, decimals};
    return Compose(RoundDecimal(value, decimals, precision), picture, separators);
}

} // namespace kvarzel
