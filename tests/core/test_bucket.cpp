// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bucket.h"
#include "core/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace kvarzel {
namespace {

int CountBlack(const std::vector<bool>& peas) {
    return static_cast<int>(std::count(peas.begin(), peas.end(), true));
}

TEST(BlackTarget, TiesFollowExtendedPrecision) {
    EXPECT_EQ(BlackTarget(10, 1), 0);   // 0.5 to even
    EXPECT_EQ(BlackTarget(10, 5), 2);   // 2.5
    EXPECT_EQ(BlackTarget(10, 3), 2);   // 1.5
    EXPECT_EQ(BlackTarget(10, 19), 10); // 9.5
    EXPECT_EQ(BlackTarget(1, 10), 0);
    EXPECT_EQ(BlackTarget(1, 11), 1);
    // 3/20 and 13/20 have no exact binary value; exact arithmetic would say 28, 28 and 124.
    EXPECT_EQ(BlackTarget(190, 3), 29);
    EXPECT_EQ(BlackTarget(95, 6), 29);
    EXPECT_EQ(BlackTarget(190, 13), 123);
}

TEST(FillPeas, ChanceRuleDrawsOncePerPea) {
    for (int ratio : {0, 20}) {
        Seed = 0;
        std::vector<bool> peas;
        FillPeas(peas, 8, ratio);
        EXPECT_EQ(peas, (std::vector<bool>{false, false, true, false, false, true, false, false}));
        std::uint32_t expected = 0;
        for (int i = 0; i < 8; ++i)
            expected = expected * 134775813u + 1u;
        EXPECT_EQ(Seed, expected) << "ratio " << ratio;
    }
}

TEST(FillPeas, ExactRulePlacesExactlyTheTarget) {
    for (int ratio = 1; ratio < 20; ++ratio) {
        for (int count : {1, 7, 10, 95, 190, 9999}) {
            Seed = 12345u + static_cast<std::uint32_t>(ratio * count);
            std::vector<bool> peas;
            FillPeas(peas, count, ratio);
            ASSERT_EQ(peas.size(), static_cast<std::size_t>(count));
            EXPECT_EQ(CountBlack(peas), BlackTarget(count, ratio)) << ratio << "/20 of " << count;
        }
    }
}

TEST(FillPeas, SameSeedSameBucketAndOldContentOverwritten) {
    std::vector<bool> first(50, true);
    std::vector<bool> second;
    Seed = 45296789;
    FillPeas(first, 30, 7);
    Seed = 45296789;
    FillPeas(second, 30, 7);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.size(), 30u);
}

// The bucket and the generator state that a fill from this seed leaves.
std::pair<std::vector<bool>, std::uint32_t> FilledFrom(std::uint32_t seed, int count, int ratio) {
    Seed = seed;
    std::vector<bool> peas;
    FillPeas(peas, count, ratio);
    return {peas, Seed};
}

TEST(FillPeas, RatioOutsideTheScaleIsClampedAndFinishes) {
    EXPECT_EQ(FilledFrom(1, 10, 25), FilledFrom(1, 10, 20));
    EXPECT_EQ(FilledFrom(1, 10, 2147483647), FilledFrom(1, 10, 20));
    EXPECT_EQ(FilledFrom(1, 10, -3), FilledFrom(1, 10, 0));
    EXPECT_EQ(FilledFrom(1, 10, INT32_MIN), FilledFrom(1, 10, 0));
}

TEST(FillPeas, CountBelowOneGivesAnEmptyBucketWithoutDrawing) {
    for (int count : {0, -4, INT32_MIN}) {
        for (int ratio : {0, 1, 10, 19, 20}) {
            const auto [peas, seed] = FilledFrom(1, count, ratio);
            EXPECT_TRUE(peas.empty()) << count << ", " << ratio;
            EXPECT_EQ(seed, 1u) << count << ", " << ratio;
        }
    }
}

} // namespace
} // namespace kvarzel
