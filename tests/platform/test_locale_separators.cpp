// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/locale_separators.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

// The user's locale is read once, so the whole program runs under one: a
// German one, whose separators are the other way round from the defaults.
TEST(UserNumberSeparators, AreTheUsersOwn) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const NumberSeparators separators = UserNumberSeparators();
    EXPECT_EQ(separators.Decimal, QLatin1Char(','));
    EXPECT_EQ(separators.Thousands, QLatin1Char('.'));
}

} // namespace
} // namespace kvarzel
