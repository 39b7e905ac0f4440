// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random_source.h"
#include "core/utc_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace kvarzel {
namespace {

std::vector<int> Draws(int count, int range) {
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(NextBelow(range));
    return draws;
}

class RandomSourceTest : public ::testing::Test {
protected:
    void TearDown() override { SetUtcTimeOfDaySource({}); }
    static void SetClock(int hour, int minute, int second, int millisecond) {
        SetUtcTimeOfDaySource([=] { return UtcTimeOfDay{hour, minute, second, millisecond}; });
    }
};

TEST_F(RandomSourceTest, ReferenceSequencesFromSeedZero) {
    Seed = 0;
    EXPECT_EQ(Draws(5, 100), (std::vector<int>{0, 3, 86, 20, 27}));
    EXPECT_EQ(Seed, 1172187917u);
    Seed = 0;
    EXPECT_EQ(Draws(8, 2), (std::vector<int>{0, 0, 1, 0, 0, 1, 0, 0}));
}

TEST_F(RandomSourceTest, ClockSeedIsMillisecondsSinceUtcMidnight) {
    EXPECT_EQ(TimeOfDaySeed(12, 34, 56, 789), 45296789u);
    EXPECT_EQ(TimeOfDaySeed(23, 59, 59, 999), 86399999u);
    SetClock(12, 34, 56, 789);
    SeedFromClock();
    EXPECT_EQ(Seed, 45296789u);
    EXPECT_EQ(Draws(5, 10), (std::vector<int>{4, 2, 3, 0, 6}));
    SetClock(0, 0, 0, 0);
    SeedFromClock();
    EXPECT_EQ(Seed, 0u);
}

TEST_F(RandomSourceTest, SystemClockGivesATimeOfDay) {
    const UtcTimeOfDay now = CurrentUtcTimeOfDay();
    EXPECT_GE(now.Hour, 0);
    EXPECT_LT(now.Hour, 24);
    EXPECT_LT(now.Minute, 60);
    EXPECT_LT(now.Second, 61);
    EXPECT_LT(now.Millisecond, 1000);
}

TEST_F(RandomSourceTest, TimeOfDayIgnoresTheDate) {
    using namespace std::chrono;
    const auto sinceMidnight = 12h + 34min + 56s + 789ms + 999us;
    for (const sys_days day : {sys_days{2026y / December / 7}, sys_days{1999y / February / 28}}) {
        const UtcTimeOfDay time = UtcTimeOfDayAt(day + sinceMidnight);
        EXPECT_EQ(TimeOfDaySeed(time.Hour, time.Minute, time.Second, time.Millisecond), 45296789u);
    }
    const UtcTimeOfDay midnight = UtcTimeOfDayAt(sys_days{2000y / January / 1});
    EXPECT_EQ(TimeOfDaySeed(midnight.Hour, midnight.Minute, midnight.Second, midnight.Millisecond),
              0u);
    const UtcTimeOfDay last = UtcTimeOfDayAt(sys_days{2000y / January / 2} - 1ms);
    EXPECT_EQ(TimeOfDaySeed(last.Hour, last.Minute, last.Second, last.Millisecond), 86399999u);
}

TEST_F(RandomSourceTest, EveryCallAdvancesTheStateOnce) {
    Seed = 7;
    EXPECT_EQ(NextBelow(1), 0);
    const std::uint32_t afterOne = Seed;
    EXPECT_EQ(afterOne, 7u * 134775813u + 1u);
    EXPECT_EQ(NextBelow(0), 0);
    EXPECT_EQ(NextBelow(-5), 0);
    EXPECT_EQ(Seed, (afterOne * 134775813u + 1u) * 134775813u + 1u);
}

TEST_F(RandomSourceTest, LargestRangeStaysInside) {
    Seed = 0xFFFFFFFFu;
    for (int i = 0; i < 1000; ++i) {
        const int value = NextBelow(2147483647);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 2147483647);
    }
}

} // namespace
} // namespace kvarzel
