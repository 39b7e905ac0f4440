// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/formatted_values.h"
#include "chart/number_format.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

QString Expected(const char* format, double value) {
    return FormatFloat(QString::fromLatin1(format), value, UserNumberSeparators());
}

// A kept text must never outlive the value or the format it was made from.
TEST(FormattedValues, FollowChangedValuesAndFormats) {
    FormattedValues texts;
    const QString twoDecimals = QStringLiteral("#,##0.##");
    EXPECT_EQ(texts.Text(0, 47.125, twoDecimals), Expected("#,##0.##", 47.125));
    EXPECT_EQ(texts.Text(3, 1234.5, twoDecimals), Expected("#,##0.##", 1234.5));
    EXPECT_EQ(texts.Text(0, 52.5, twoDecimals), Expected("#,##0.##", 52.5));
    EXPECT_EQ(texts.Text(0, 52.5, QStringLiteral("0.000")), Expected("0.000", 52.5));
    EXPECT_EQ(texts.Text(3, 1234.5, QStringLiteral("0.000")), Expected("0.000", 1234.5));
    // Values that compare equal but are written differently are other values.
    const QString negativeZero = texts.Text(1, -0.0, QStringLiteral("0.0"));
    EXPECT_EQ(negativeZero, Expected("0.0", -0.0));
    EXPECT_EQ(texts.Text(1, 0.0, QStringLiteral("0.0")), Expected("0.0", 0.0));
}

} // namespace
} // namespace kvarzel
