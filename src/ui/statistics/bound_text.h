// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

namespace kvarzel {

// A probability bound in percent, rounded up to two significant digits:
// Mantissa / 10 * 10^Exponent percent, Mantissa 10..99 (100 % is 10 and 2).
// Rounding up keeps it a bound, and keeps a figure just above 5 % or 1 %
// from reading as at most 5 % or 1 %. A value that has exactly two digits
// in its shortest decimal form stays as it is.
struct RoundedBound {
    int Mantissa = 10;
    long long Exponent = 2;

    bool operator==(const RoundedBound&) const = default;
};

// `logBound` is the natural logarithm of the bound (0 or below); a bound far
// below the smallest double still gets its digits and exponent.
RoundedBound RoundBoundUp(double logBound);
// A percentage above 0, rounded up the same way.
RoundedBound RoundPercentUp(double percent);

// "не больше 3,1%", "не больше 1,2·10⁻²⁰%"; "нет свидетельств" for a bound
// that rounds up to 100 %, where the guesses have not moved the figure or
// have moved it too little to say anything.
QString BoundText(double logBound, QChar decimal);
// The same with the user's decimal separator.
QString BoundText(double logBound);

// A power of ten in percent, as a scale shows it: "100%", "1%", "0,01%",
// "10⁻⁷%".
QString PowerOfTenPercentText(int exponent, QChar decimal);

} // namespace kvarzel
