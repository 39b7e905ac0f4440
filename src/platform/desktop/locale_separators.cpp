// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/locale_separators.h"

#include <QLocale>

namespace kvarzel {

NumberSeparators UserNumberSeparators() {
    static const NumberSeparators separators = [] {
        const QLocale locale = QLocale::system();
        NumberSeparators result;
        if (!locale.decimalPoint().isEmpty())
            result.Decimal = locale.decimalPoint().front();
        if (!locale.groupSeparator().isEmpty())
            result.Thousands = locale.groupSeparator().front();
        return result;
    }();
    return separators;
}

} // namespace kvarzel
