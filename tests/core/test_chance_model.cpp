#include "core/chance_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

namespace kvarzel {
namespace {

enum class Guess { White, Black, Timer };

// The answers of a mix in a fixed, mixed-up order, so the model cannot lean
// on where the guesses stand.
std::vector<Guess> GuessesOf(const AnswerMix& mix) {
    std::vector<Guess> guesses;
    guesses.insert(guesses.end(), static_cast<std::size_t>(mix.White), Guess::White);
    guesses.insert(guesses.end(), static_cast<std::size_t>(mix.Black), Guess::Black);
    guesses.insert(guesses.end(), static_cast<std::size_t>(mix.Timer), Guess::Timer);
    for (std::size_t i = 1; i < guesses.size(); i += 2)
        std::swap(guesses[i], guesses[guesses.size() - 1 - i / 2]);
    return guesses;
}

int RightAnswers(const std::vector<Guess>& guesses, std::uint32_t blackPeas) {
    int right = 0;
    for (std::size_t i = 0; i < guesses.size(); ++i) {
        const bool black = (blackPeas >> i) & 1U;
        right += (guesses[i] == Guess::White && !black) || (guesses[i] == Guess::Black && black);
    }
    return right;
}

// P(R = k) by going through every arrangement of black peas.
std::vector<double> BruteForceDistribution(const AnswerMix& mix, const BucketMakeUp& bucket) {
    const std::vector<Guess> guesses = GuessesOf(mix);
    const int peas = mix.Total();
    std::vector<double> ways(static_cast<std::size_t>(peas) + 1, 0.0);
    double arrangements = 0;
    for (std::uint32_t blacks = 0; blacks < (1U << peas); ++blacks) {
        if (!bucket.ByChance && std::popcount(blacks) != bucket.BlackPeas)
            continue;
        ways[static_cast<std::size_t>(RightAnswers(guesses, blacks))] += 1;
        arrangements += 1;
    }
    for (double& way : ways)
        way /= arrangements;
    return ways;
}

double TailOf(const std::vector<double>& distribution, int right) {
    return std::accumulate(distribution.begin() +
                               std::min<std::ptrdiff_t>(right, std::ssize(distribution)),
                           distribution.end(), 0.0);
}

double ChanceOf(const TrainingOutcome& outcome) {
    return std::exp(TrainingLogChance(outcome).value());
}

std::vector<BucketMakeUp> BucketsFor(int peas) {
    std::vector<BucketMakeUp> buckets{{true, 0}};
    for (int black = 0; black <= peas; ++black)
        buckets.push_back({false, black});
    return buckets;
}

TEST(ChanceModelTest, MatchesEveryArrangementUpToTwelvePeas) {
    for (int peas = 1; peas <= 12; ++peas) {
        for (int timer = 0; timer <= peas; ++timer) {
            for (int white = 0; white + timer <= peas; ++white) {
                const AnswerMix mix{white, peas - timer - white, timer};
                for (const BucketMakeUp& bucket : BucketsFor(peas)) {
                    const std::vector<double> expected = BruteForceDistribution(mix, bucket);
                    for (int right = 0; right <= mix.Guessed(); ++right) {
                        SCOPED_TRACE(::testing::Message()
                                     << "white " << white << " black " << mix.Black << " timer "
                                     << timer << " chance " << bucket.ByChance << " blacks "
                                     << bucket.BlackPeas << " right " << right);
                        ASSERT_NEAR(ChanceOf({mix, bucket, right}), TailOf(expected, right),
                                    1e-12 * TailOf(expected, right) + 1e-300);
                    }
                }
            }
        }
    }
}

TEST(ChanceModelTest, RunOfTrainingsMatchesEveryJointArrangement) {
    // Two trainings of six peas, one per rule, with timer answers in both.
    const TrainingOutcome first{{2, 3, 1}, {false, 2}, 0};
    const TrainingOutcome second{{1, 3, 2}, {true, 0}, 0};
    const std::vector<double> a = BruteForceDistribution(first.Answers, first.Bucket);
    const std::vector<double> b = BruteForceDistribution(second.Answers, second.Bucket);
    std::vector<double> joint(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            joint[i + j] += a[i] * b[j];
    for (int total = 0; total < std::ssize(joint); ++total) {
        for (int firstRight = 0; firstRight <= std::min(total, 5); ++firstRight) {
            TrainingOutcome one = first;
            TrainingOutcome two = second;
            one.Right = firstRight;
            two.Right = total - firstRight;
            if (two.Right > two.Answers.Guessed())
                continue;
            SCOPED_TRACE(::testing::Message() << "total " << total << " first " << firstRight);
            EXPECT_NEAR(std::exp(PooledLogChance({one, two}).value()), TailOf(joint, total),
                        1e-12 * TailOf(joint, total));
        }
    }
}

TEST(ChanceModelTest, SixOfTenIsOftenLuckButHundredTwentyOfTwoHundredIsNot) {
    EXPECT_NEAR(ChanceOf({{5, 5, 0}, {true, 0}, 6}), 386.0 / 1024.0, 1e-15);
    EXPECT_NEAR(ChanceOf({{100, 100, 0}, {true, 0}, 120}), 0.0028425779983751527, 1e-15);
    EXPECT_NEAR(ChanceOf({{200, 0, 0}, {true, 0}, 120}), 0.0028425779983751527, 1e-15);
}

TEST(ChanceModelTest, KnowingTheMakeUpAloneCanScoreAboveHalf) {
    // Nine black peas in ten: a guesser who always says black gets nine.
    EXPECT_NEAR(ChanceOf({{0, 10, 0}, {false, 9}, 9}), 1.0, 1e-15);
    EXPECT_NEAR(ChanceOf({{0, 10, 0}, {false, 9}, 10}), 0.0, 1e-15);
}

TEST(ChanceModelTest, ExtremeOutcomes) {
    // All right with the exact rule: one arrangement in C(9999, 5000).
    const double logAllRight = TrainingLogChance({{4999, 5000, 0}, {false, 5000}, 9999}).value();
    const double logArrangements = std::lgamma(10000.0) - std::lgamma(5001.0) - std::lgamma(5000.0);
    EXPECT_NEAR(logAllRight, -logArrangements, 1e-9 * logArrangements);
    // All right by the coin: 2^-9999.
    EXPECT_NEAR(TrainingLogChance({{9999, 0, 0}, {true, 0}, 9999}).value(), -9999 * std::log(2.0),
                1e-9);
    // None right is certain; so is a training answered by the timer alone.
    EXPECT_EQ(TrainingLogChance({{3, 4, 0}, {false, 3}, 0}).value(), 0.0);
    EXPECT_EQ(TrainingLogChance({{0, 0, 12}, {false, 5}, 0}).value(), 0.0);
    EXPECT_EQ(PooledLogChance({{{0, 0, 12}, {false, 5}, 0}, {{0, 0, 3}, {true, 0}, 0}}).value(),
              0.0);
    // One pea.
    EXPECT_NEAR(ChanceOf({{1, 0, 0}, {true, 0}, 1}), 0.5, 1e-15);
    EXPECT_NEAR(ChanceOf({{0, 1, 0}, {false, 1}, 1}), 1.0, 1e-15);
    EXPECT_NEAR(ChanceOf({{1, 0, 0}, {false, 1}, 1}), 0.0, 1e-15);
}

TEST(ChanceModelTest, PooledFarTailsStayExact) {
    // Three trainings of 9999 peas, all right: the product of the three chances.
    const TrainingOutcome allRight{{4999, 5000, 0}, {false, 5000}, 9999};
    const double one = TrainingLogChance(allRight).value();
    EXPECT_NEAR(PooledLogChance({allRight, allRight, allRight}).value(), 3 * one, 1e-9 * -one);
    // 70 % right twice by the coin equals 140 of 200 at once.
    const TrainingOutcome seventy{{60, 40, 0}, {true, 0}, 70};
    const double twice = PooledLogChance({seventy, seventy}).value();
    EXPECT_NEAR(twice, TrainingLogChance({{100, 100, 0}, {true, 0}, 140}).value(), 1e-10 * -twice);
    // A run of one training is that training.
    const TrainingOutcome timed{{300, 500, 200}, {false, 450}, 520};
    EXPECT_NEAR(PooledLogChance({timed}).value(), TrainingLogChance(timed).value(), 1e-9);
}

TEST(ChanceModelTest, ImpossibleOutcomesHaveNoChanceFigure) {
    EXPECT_FALSE(TrainingLogChance({{-1, 3, 0}, {true, 0}, 0}));
    EXPECT_FALSE(TrainingLogChance({{3, 3, 0}, {true, 0}, 7}));
    EXPECT_FALSE(TrainingLogChance({{3, 3, 0}, {false, 7}, 1}));
    EXPECT_FALSE(TrainingLogChance({{5000, 5000, 0}, {true, 0}, 1}));
    EXPECT_FALSE(TrainingLogChance({{0, 0, 2'000'000'000}, {true, 0}, 0}));
    EXPECT_FALSE(PooledLogChance({{{3, 3, 0}, {true, 0}, 2}, {{1, 0, 0}, {true, 0}, -1}}));
}

} // namespace
} // namespace kvarzel
