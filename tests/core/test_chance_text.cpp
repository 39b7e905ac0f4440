#include "core/chance_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kvarzel {
namespace {

std::string Text(double probability) {
    return ChancePercentText(std::log(probability), ",");
}

TEST(ChanceTextTest, TwoSignificantDigits) {
    EXPECT_EQ(Text(386.0 / 1024.0), "38%");
    EXPECT_EQ(Text(0.0028425779983751527), "0,28%");
    EXPECT_EQ(Text(0.05), "5,0%");
    EXPECT_EQ(Text(0.0496), "5,0%");
    EXPECT_EQ(Text(0.00001234), "0,0012%");
    EXPECT_EQ(Text(0.0000012345), "0,00012%");
    EXPECT_EQ(Text(1.0), "100%");
    EXPECT_EQ(Text(0.9996), "100%");
    EXPECT_EQ(Text(0.123), "12%");
    EXPECT_EQ(ChancePercentText(std::log(0.0123), "."), "1.2%");
}

TEST(ChanceTextTest, TinyChancesAsPowersOfTen) {
    EXPECT_EQ(Text(0.000000123), "1,2·10⁻⁵%");
    EXPECT_EQ(Text(0.0000000996), "1,0·10⁻⁵%");
    EXPECT_EQ(ChancePercentText(-9999 * std::log(2.0), ","), "1,0·10⁻³⁰⁰⁸%");
    EXPECT_EQ(ChancePercentText(-std::numeric_limits<double>::infinity(), ","), "0%");
    EXPECT_EQ(ChancePercentText(std::nan(""), ","), "0%");
}

} // namespace
} // namespace kvarzel
