// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

namespace kvarzel {

// The user's decimal and thousands separators, read once from the system locale.
struct NumberSeparators {
    QChar Decimal = QLatin1Char('.');
    QChar Thousands = QLatin1Char(',');
};

NumberSeparators UserNumberSeparators();

} // namespace kvarzel
