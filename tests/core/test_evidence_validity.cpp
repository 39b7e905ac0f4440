// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/evidence_simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kvarzel {
namespace {

using simulation::BucketSetting;
using simulation::FigureShares;
using simulation::PlayerKind;
using simulation::Simulate;

// The most a share observed over `count` tries may exceed `level` by chance:
// three standard errors of a binomial share whose true value is `level`.
double UpperLimit(double level, std::int64_t count) {
    return level + 3 * std::sqrt(level * (1 - level) / static_cast<double>(count));
}

void ExpectNoMoreLowFiguresThanTheirLevel(const FigureShares& shares, const std::string& what) {
    ASSERT_GT(shares.Count, 0) << what;
    EXPECT_LE(shares.Share5(), UpperLimit(0.05, shares.Count)) << what << ", at most 5 %";
    EXPECT_LE(shares.Share1(), UpperLimit(0.01, shares.Count)) << what << ", at most 1 %";
}

void Pool(FigureShares& total, const FigureShares& part) {
    total.Count += part.Count;
    total.AtMost5 += part.AtMost5;
    total.AtMost1 += part.AtMost1;
}

class FigureValidity : public ::testing::TestWithParam<PlayerKind> {};

// A valid figure comes out at or below a level no more often than that level,
// whatever a player without intuition does with what the window shows. For a
// player who abandons trainings the finished ones are chosen, so only the
// run's figure, which keeps the abandoned guesses, has to hold.
TEST_P(FigureValidity, LowFiguresComeNoMoreOftenThanTheirLevel) {
    const PlayerKind& player = GetParam();
    struct Case {
        BucketSetting Setting;
        std::int32_t Runs;
    };
    const Case cases[] = {
        {{20, 0, 5}, 800}, {{100, 20, 2}, 400}, {{10, 10, 10}, 800},
        {{40, 3, 5}, 400}, {{60, 15, 3}, 400},
    };
    FigureShares trainings, runs;
    std::uint64_t seed = 1;
    for (const Case& c : cases) {
        const auto result = Simulate(player.Make, c.Setting, c.Runs, seed++);
        const std::string what = player.Name + ", " + std::to_string(c.Setting.PeasCount) +
                                 " peas at ratio " + std::to_string(c.Setting.PeasRatio);
        ExpectNoMoreLowFiguresThanTheirLevel(result.Runs, what + ", runs");
        Pool(runs, result.Runs);
        if (!player.Abandons) {
            ExpectNoMoreLowFiguresThanTheirLevel(result.Trainings, what + ", trainings");
            Pool(trainings, result.Trainings);
        }
    }
    ExpectNoMoreLowFiguresThanTheirLevel(runs, player.Name + ", all runs");
    if (!player.Abandons)
        ExpectNoMoreLowFiguresThanTheirLevel(trainings, player.Name + ", all trainings");
}

INSTANTIATE_TEST_SUITE_P(PlayersWithoutIntuition, FigureValidity,
                         ::testing::ValuesIn(simulation::PlayersWithoutIntuition()),
                         [](const ::testing::TestParamInfo<PlayerKind>& info) {
                             std::string name = info.param.Name;
                             for (char& c : name)
                                 c = c == ' ' ? '_' : c;
                             return name;
                         });

// Counting the colours left in ten trainings of ten peas at ratio 10 made the
// old figure suggest intuition in every run.
TEST(FigureValidityExamples, CountingTenTrainingsOfTenPeasNoLongerLooksLikeIntuition) {
    const PlayerKind& counter = simulation::PlayersWithoutIntuition().at(1);
    ASSERT_EQ(counter.Name, "counter");
    const auto result = Simulate(counter.Make, {10, 10, 10}, 2000, 77);
    EXPECT_LE(result.Runs.Share5(), 0.05);
    EXPECT_LE(result.Runs.Share5(), UpperLimit(0.05, result.Runs.Count));
}

// The simulation can tell intuition when there is some: a player right 60 %
// of the time on a coin-toss bucket gets a low figure in nearly a third of
// 100-pea trainings (30.9 %: 63 right or more, the fewest with which any
// figure read at a training's end can reach 5 %) and in most runs of five.
TEST(FigureValidityExamples, ReadsRealIntuition) {
    const simulation::PlayerMaker skilled = [](std::uint64_t seed) {
        return simulation::MakeIntuitivePlayer(0.6, seed);
    };
    const auto single = Simulate(skilled, {100, 0, 1}, 1500, 5);
    EXPECT_GE(single.Trainings.Share5(), 0.29);
    const auto fives = Simulate(skilled, {100, 0, 5}, 300, 6);
    EXPECT_GE(fives.Runs.Share5(), 0.9);
}

} // namespace
} // namespace kvarzel
