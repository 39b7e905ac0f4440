// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/bound_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <utility>

namespace kvarzel::testing {
namespace {

// Rounding goes up at the second significant digit of the shortest decimal
// form, so that a figure a hair above 5 % or 1 % never reads as at most that.
TEST(BoundTextTest, PercentagesRoundUpAtTwoDigits) {
    const struct {
        double Percent;
        RoundedBound Expected;
    } cases[] = {
        {5.0, {50, 0}},               // exactly the level: stays on it
        {4.999999999999999, {50, 0}}, // just below: at most 5 %
        {5.000000000000001, {51, 0}}, // just above: more than 5 %
        {5.01, {51, 0}},
        {1.0, {10, 0}},
        {0.9999999999999999, {10, 0}},
        {1.0000000000000002, {11, 0}},
        {3.1, {31, 0}},                // a tie stays where it is...
        {3.1000000000000005, {32, 0}}, // ...anything above goes up
        {3.11, {32, 0}},
        {0.0123, {13, -2}},
        {0.012, {12, -2}},
        {99.5, {10, 2}}, // carries into the next decade
        {9.91, {10, 1}},
        {100.0, {10, 2}},
        {12.0, {12, 1}},
        {0.5, {50, -1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundPercentUp(c.Percent), c.Expected) << c.Percent;
}

TEST(BoundTextTest, TextsSayTheBoundWithTheDecimalSeparator) {
    const struct {
        double LogBound;
        QChar Decimal;
        QString Expected;
    } cases[] = {
        {0.0, u',', "нет свидетельств"},
        {std::log(0.0305), u',', "не больше 3,1%"},
        {std::log(0.0499), u',', "не больше 5,0%"},
        {std::log(0.0501), u',', "не больше 5,1%"},
        {std::log(0.00999), u',', "не больше 1,0%"},
        {std::log(0.01001), u',', "не больше 1,1%"},
        {std::log(0.0123), u'.', "не больше 1.3%"},
        {std::log(0.493), u',', "не больше 50%"},
        {std::log(0.995), u',', "нет свидетельств"},
        {std::log(0.99), u',', "не больше 99%"},
        {std::log(0.00000115), u',', "не больше 0,00012%"},
        {std::log(1.15e-8), u',', "не больше 1,2·10⁻⁶%"},
        {std::log(1.15e-22), u',', "не больше 1,2·10⁻²⁰%"},
        // Far below the smallest double: the digits still come out right.
        {-20000.0, u',', "не больше 1,3·10⁻⁸⁶⁸⁴%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BoundText(c.LogBound, c.Decimal), c.Expected) << c.LogBound;
}

// The picture's scale: plain down to 0,0001 %, then with an exponent as the
// figures themselves.
TEST(BoundTextTest, PowersOfTenReadAsTheScaleOfThePicture) {
    const std::pair<int, QString> cases[] = {{2, "100%"},    {1, "10%"},      {0, "1%"},
                                             {-1, "0,1%"},   {-4, "0,0001%"}, {-5, "10⁻⁵%"},
                                             {-12, "10⁻¹²%"}};
    for (const auto& [exponent, expected] : cases)
        EXPECT_EQ(PowerOfTenPercentText(exponent, u','), expected) << exponent;
}

// Over the whole range, the shown value is never below the bound and at most
// one step of the second digit above it, on both sides of where the
// arithmetic changes from plain percentages to exponents.
TEST(BoundTextTest, ShownValueIsTheBoundRoundedUpByLessThanOneStep) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> log10Bound(-330, 0);
    for (int i = 0; i < 20000; ++i) {
        const double logBound = log10Bound(random) * std::numbers::ln10;
        const RoundedBound bound = RoundBoundUp(logBound);
        ASSERT_GE(bound.Mantissa, 10);
        ASSERT_LE(bound.Mantissa, 99);
        const double log10Shown =
            std::log10(bound.Mantissa / 10.0) + static_cast<double>(bound.Exponent);
        const double log10Exact = logBound / std::numbers::ln10 + 2;
        const double log10Step = std::log10(bound.Mantissa / (bound.Mantissa - 1.0));
        EXPECT_GE(log10Shown, log10Exact - 1e-12) << logBound;
        EXPECT_LE(log10Shown, log10Exact + log10Step + 1e-12) << logBound;
    }
}

} // namespace
} // namespace kvarzel::testing
