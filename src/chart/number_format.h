// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/locale_separators.h"

#include <QString>

namespace kvarzel {

// Formats a number by a picture such as "#,##0.###", "#,##0.##" or "#,##0.00": a comma in the
// integer part groups thousands, zeros after the point are always written, hashes only when
// they are not trailing zeros. Rounding works on the value's 18-significant-digit decimal form,
// halves away from zero, so 6.125 gives 6.13 and 0.1 + 0.2 gives 0.3.
QString FormatFloat(const QString& format, double value, NumberSeparators separators);

// Thousands-grouped number with exactly `decimals` decimals, first rounded to at most
// `precision` significant digits when that keeps fewer digits (the results page's average).
QString FormatNumber(double value, int precision, int decimals, NumberSeparators separators);

} // namespace kvarzel
