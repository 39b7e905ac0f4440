// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/russian_plural.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

TEST(RussianPluralTest, EachCountTakesTheFormItsLastTwoDigitsAsk) {
    const std::pair<std::int64_t, RussianPlural> cases[] = {
        {0, RussianPlural::Many},     {1, RussianPlural::One},     {2, RussianPlural::Few},
        {4, RussianPlural::Few},      {5, RussianPlural::Many},    {10, RussianPlural::Many},
        {11, RussianPlural::Many},    {12, RussianPlural::Many},   {14, RussianPlural::Many},
        {15, RussianPlural::Many},    {21, RussianPlural::One},    {22, RussianPlural::Few},
        {25, RussianPlural::Many},    {101, RussianPlural::One},   {111, RussianPlural::Many},
        {112, RussianPlural::Many},   {1000, RussianPlural::Many}, {1001, RussianPlural::One},
        {9999, RussianPlural::Many},  {60000, RussianPlural::Many}, {-1, RussianPlural::One},
        {-13, RussianPlural::Many}};
    for (const auto& [count, form] : cases)
        EXPECT_EQ(RussianPluralOf(count), form) << count;
}

// Only the last two digits count: adding hundreds never changes the form.
TEST(RussianPluralTest, HundredsNeverChangeTheForm) {
    for (std::int64_t count = 0; count < 100; ++count)
        for (std::int64_t hundreds : {100, 700, 12300})
            EXPECT_EQ(RussianPluralOf(count + hundreds), RussianPluralOf(count)) << count;
}

} // namespace
} // namespace kvarzel
