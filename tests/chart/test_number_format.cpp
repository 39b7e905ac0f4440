// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/number_format.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

const NumberSeparators kComma{QLatin1Char(','), QChar(0x00A0)};
const NumberSeparators kPoint{QLatin1Char('.'), QLatin1Char(',')};

QString Marks(double value) {
    return FormatFloat(QStringLiteral("#,##0.##"), value, kPoint);
}
QString AxisLabel(double value) {
    return FormatFloat(QStringLiteral("#,##0.###"), value, kPoint);
}

TEST(NumberFormat, HalvesRoundAwayFromZeroOnTheDecimalForm) {
    EXPECT_EQ(Marks(6.125), "6.13");
    EXPECT_EQ(Marks(12.125), "12.13");
    EXPECT_EQ(Marks(3.125), "3.13");
    EXPECT_EQ(Marks(-6.125), "-6.13");
    EXPECT_EQ(Marks(200.0 / 3), "66.67");
    EXPECT_EQ(Marks(100.0 / 3), "33.33");
    EXPECT_EQ(AxisLabel(0.0005), "0.001");
    EXPECT_EQ(Marks(0.004), "0");
}

TEST(NumberFormat, TrailingZerosAndBareSeparatorAreLeftOut) {
    EXPECT_EQ(Marks(50), "50");
    EXPECT_EQ(Marks(100), "100");
    EXPECT_EQ(Marks(0), "0");
    EXPECT_EQ(AxisLabel(0.1 + 0.2), "0.3");
    EXPECT_EQ(AxisLabel(2.5), "2.5");
    EXPECT_EQ(Marks(9.999), "10");
}

TEST(NumberFormat, ThousandsAreGroupedWithTheUserSeparators) {
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.###"), 1234.5678, kComma),
              QString("1") + QChar(0x00A0) + "234,568");
    EXPECT_EQ(AxisLabel(1234567.5), "1,234,567.5");
    EXPECT_EQ(AxisLabel(-1234.5), "-1,234.5");
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.##"), 12.5, kComma), "12,5");
    EXPECT_EQ(AxisLabel(999.9999), "1,000");
}

TEST(NumberFormat, NegativeValuesAndNegativeZero) {
    EXPECT_EQ(AxisLabel(-20), "-20");
    EXPECT_EQ(AxisLabel(-0.25), "-0.25");
    EXPECT_EQ(Marks(-0.001), "0");
    EXPECT_EQ(Marks(-0.0), "0");
}

TEST(NumberFormat, FixedDecimalsKeepTheirZeros) {
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00"), 50, kComma), "50,00");
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00"), 62.5, kPoint), "62.50");
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00"), 125.0 / 3, kPoint), "41.67");
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00"), 0.001, kPoint), "0.00");
}

TEST(NumberFormat, FixedFormWithSignificantDigitLimit) {
    EXPECT_EQ(FormatNumber(70, 6, 2, kComma), "70,00");
    EXPECT_EQ(FormatNumber(12.125, 6, 2, kPoint), "12.13");
    EXPECT_EQ(FormatNumber(125.0 / 3, 6, 2, kPoint), "41.67");
    // Six significant digits win over two decimals here.
    EXPECT_EQ(FormatNumber(12345.678, 6, 2, kPoint), "12,345.70");
    EXPECT_EQ(FormatNumber(999999.5, 6, 2, kPoint), "1,000,000.00");
}

TEST(NumberFormat, LargeAndTinyValues) {
    EXPECT_EQ(AxisLabel(1e20), "100,000,000,000,000,000,000");
    EXPECT_EQ(AxisLabel(1e-12), "0");
    EXPECT_EQ(AxisLabel(2e-3), "0.002");
}

} // namespace
} // namespace kvarzel
