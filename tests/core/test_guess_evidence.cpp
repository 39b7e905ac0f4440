// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/guess_evidence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace kvarzel {
namespace {

// For a null chance of one half, bet b wins 2q and loses 2(1 - q), where q
// is one half shifted by the bet's edge in log-odds: q = e^d / (1 + e^d).
TEST(GuessEvidence, CoinTossAnswersMatchAHandComputation) {
    const bool answers[] = {true, true, false, true, false, true, true};
    GuessEvidence evidence;
    for (const bool right : answers)
        evidence.AddGuess(0.5, right);
    double meanWealth = 0;
    for (std::size_t bet = 0; bet < BetCount; ++bet) {
        const double q = std::exp(BetEdges[bet]) / (1 + std::exp(BetEdges[bet]));
        const double wealth = std::pow(2 * q, 5) * std::pow(2 * (1 - q), 2);
        EXPECT_NEAR(evidence.LogWealth[bet], std::log(wealth), 1e-12) << "bet " << bet;
        meanWealth += wealth / BetCount;
    }
    EXPECT_NEAR(evidence.LogMeanWealth(), std::log(meanWealth), 1e-12);
    EXPECT_DOUBLE_EQ(evidence.ExpectedRight, 3.5);
    EXPECT_DOUBLE_EQ(evidence.RightVariance, 1.75);
}

// Whatever the null chance, a guess's factor averages to one for every bet:
// the property every claim of the figure rests on.
TEST(GuessEvidence, EveryBetIsFairAtEveryNullChance) {
    for (int step = 0; step <= 100; ++step) {
        const double p = step / 100.0;
        GuessEvidence right, wrong;
        right.AddGuess(p, true);
        wrong.AddGuess(p, false);
        for (std::size_t bet = 0; bet < BetCount; ++bet) {
            const double mean =
                p * std::exp(right.LogWealth[bet]) + (1 - p) * std::exp(wrong.LogWealth[bet]);
            EXPECT_NEAR(mean, 1.0, 1e-12) << "p " << p << " bet " << bet;
            EXPECT_TRUE(std::isfinite(right.LogWealth[bet]) && std::isfinite(wrong.LogWealth[bet]));
        }
    }
}

// The answer a bucket of one colour forces (p = 1) or forbids (p = 0) tells
// nothing about the player.
TEST(GuessEvidence, ACertainColourGivesNoEvidence) {
    EvidenceTrack track;
    for (int i = 0; i < 50; ++i) {
        track.AddGuess(1.0, true);
        track.AddGuess(0.0, false);
    }
    for (const double logWealth : track.Total.LogWealth)
        EXPECT_NEAR(logWealth, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(track.Bound(), 1.0);
    EXPECT_DOUBLE_EQ(track.Total.ExpectedRight, 50.0);
    EXPECT_DOUBLE_EQ(track.Total.RightVariance, 0.0);
}

// The peak keeps the best moment: wrong answers after it do not undo the
// bound, and a stretch added whole is checked at its end.
TEST(GuessEvidence, ThePeakIsTheLargestMeanWealthReached) {
    EvidenceTrack track;
    double largest = 0;
    const bool answers[] = {true, true, true, true, true, true, false, false, false, false};
    for (const bool right : answers) {
        track.AddGuess(0.5, right);
        largest = std::max(largest, track.Total.LogMeanWealth());
    }
    EXPECT_DOUBLE_EQ(track.LogPeakWealth, largest);
    EXPECT_LT(track.Total.LogMeanWealth(), track.LogPeakWealth);
    EXPECT_DOUBLE_EQ(track.Bound(), std::exp(-largest));

    EvidenceTrack pooled;
    pooled.AddStretch(track.Total);
    pooled.AddStretch(track.Total);
    GuessEvidence both = track.Total;
    both += track.Total;
    EXPECT_EQ(pooled.Total, both);
    EXPECT_DOUBLE_EQ(pooled.LogPeakWealth, std::max(0.0, both.LogMeanWealth()));
}

} // namespace
} // namespace kvarzel
