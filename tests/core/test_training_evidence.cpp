// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bucket.h"
#include "core/guess_evidence.h"
#include "core/training_record.h"
#include "core/utc_clock.h"
#include "test_support/training_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kvarzel {
namespace {

class KeptRecordsView : public testing::RecordingTrainingView {
public:
    std::vector<TrainingRecord> Records;
    void RecordTraining(const TrainingRecord& record) override { Records.push_back(record); }
};

class TrainingEvidenceTest : public testing::TrainingFixture<KeptRecordsView> {
protected:
    void SetUp() override {
        TrainingFixture::SetUp();
        options->BeepWrong = false;
        options->WaveWrong = false;
        SetUtcTimeOfDaySource([] { return UtcTimeOfDay{12, 34, 56, 789}; });
    }
    void TearDown() override {
        TrainingFixture::TearDown();
        SetUtcTimeOfDaySource({});
    }
};

// Every guess is scored against the share of its colour among the peas still
// in the bucket (one half where the colours are left to chance); a timer
// answer scores nothing but takes its pea away.
TEST_F(TrainingEvidenceTest, EveryGuessIsScoredAgainstThePeasLeft) {
    struct Case {
        std::int32_t Count, Ratio;
    };
    std::size_t guesses = 0;
    for (const Case bucket : {Case{12, 0}, Case{12, 5}, Case{30, 10}, Case{25, 17}, Case{9, 20}}) {
        options->PeasCount = bucket.Count;
        options->PeasRatio = bucket.Ratio;
        run.Start();
        const bool byChance = BucketFor(bucket.Count, bucket.Ratio).ByChance;
        std::int32_t blackLeft =
            static_cast<std::int32_t>(std::count(run.Peas().begin(), run.Peas().end(), true));
        EvidenceTrack expected;
        for (std::int32_t pea = 0; pea < bucket.Count; ++pea) {
            const bool black = run.Peas()[static_cast<std::size_t>(pea)];
            const std::int32_t left = bucket.Count - pea;
            if (pea % 5 == 3) {
                run.TimerAnswer();
            } else {
                const bool guessBlack = pea % 3 != 0;
                const std::int32_t colourLeft = guessBlack ? blackLeft : left - blackLeft;
                expected.AddGuess(byChance ? 0.5 : static_cast<double>(colourLeft) / left,
                                  guessBlack == black);
                ++guesses;
                run.ProcessAnswer(guessBlack ? Answer::Black : Answer::White);
            }
            blackLeft -= black ? 1 : 0;
            if (pea + 1 < bucket.Count) {
                ASSERT_EQ(run.TrainingEvidence(), expected) << bucket.Count << " " << pea;
            }
        }
        expected.Read();
        ASSERT_FALSE(view.Records.empty());
        const TrainingRecord& record = view.Records.back();
        EXPECT_FALSE(record.Abandoned);
        ASSERT_TRUE(record.Evidence.has_value());
        EXPECT_EQ(*record.Evidence, expected) << bucket.Count << " " << bucket.Ratio;
    }
    // The run keeps every guess of its trainings.
    EXPECT_EQ(run.Evidence().LogWealthCourse().size(), guesses);
}

// On a coin-toss bucket, 8 right guesses of 10, the first two right: the
// figure is one over the bets' weighted mean wealth at the training's end,
// for the training and the run alike, however high it was along the way.
TEST_F(TrainingEvidenceTest, CoinTossFigureIsReadAtTheEndAndMatchesAHandComputation) {
    options->PeasCount = 10;
    options->PeasRatio = 0;
    run.Start();
    const bool rights[] = {true, true, false, false, true, true, true, true, true, true};
    for (const bool right : rights) {
        run.ProcessAnswer(right ? RightAnswer() : WrongAnswer());
        if (run.UnderWay()) {
            EXPECT_EQ(run.Evidence().Track().Readings, 0);
            EXPECT_EQ(run.Evidence().Track().LogBound(), 0.0);
        }
    }
    double meanWealth = 0;
    for (std::size_t bet = 0; bet < BetCount; ++bet) {
        const double q = 1 / (1 + std::exp(-BetEdges[bet]));
        meanWealth += BetShares[bet] * std::pow(2 * q, 8) * std::pow(2 * (1 - q), 2);
    }
    ASSERT_EQ(view.Records.size(), 1U);
    EXPECT_NEAR(view.Records[0].Evidence->Bound(), 1 / meanWealth, 1e-12);
    EXPECT_NEAR(std::exp(view.Records[0].Evidence->Total.LogBound()), 1 / meanWealth, 1e-12);
    EXPECT_NEAR(run.Evidence().Track().Bound(), 1 / meanWealth, 1e-12);
    EXPECT_NEAR(1 / meanWealth, 0.28164, 5e-6);
    EXPECT_EQ(run.Evidence().ReadingGuesses(), std::vector<std::size_t>{10});
    EXPECT_DOUBLE_EQ(view.Records[0].Evidence->Total.ExpectedRight, 5.0);
    EXPECT_DOUBLE_EQ(view.Records[0].Evidence->Total.RightVariance, 2.5);
}

// A training abandoned by a new start is read where it stopped, as a
// finished one is: the run's readings follow its trainings.
TEST_F(TrainingEvidenceTest, AnAbandonedTrainingIsReadWhereItStopped) {
    options->PeasCount = 10;
    options->PeasRatio = 0;
    run.Start();
    for (int pea = 0; pea < 4; ++pea)
        run.ProcessAnswer(RightAnswer());
    run.Start();
    ASSERT_EQ(view.Records.size(), 1U);
    EXPECT_TRUE(view.Records[0].Abandoned);
    EXPECT_EQ(run.Evidence().ReadingGuesses(), std::vector<std::size_t>{4});
    EXPECT_EQ(run.Evidence().Track().LogPeakWealth, view.Records[0].Evidence->LogPeakWealth);
    EXPECT_GT(run.Evidence().Track().LogPeakWealth, 0.0);
}

// Ratio 19 of 10 peas fills the bucket with black only: every answer is
// certain to be right or wrong and tells nothing.
TEST_F(TrainingEvidenceTest, ABucketOfOneColourGivesNoEvidence) {
    options->PeasCount = 10;
    options->PeasRatio = 19;
    run.Start();
    ASSERT_EQ(std::count(run.Peas().begin(), run.Peas().end(), true), 10);
    for (int pea = 0; pea < 10; ++pea)
        run.ProcessAnswer(pea < 7 ? Answer::Black : Answer::White);
    ASSERT_EQ(view.Records.size(), 1U);
    const EvidenceTrack& evidence = *view.Records[0].Evidence;
    for (const double logWealth : evidence.Total.LogWealth)
        EXPECT_EQ(logWealth, 0.0);
    EXPECT_EQ(evidence.Bound(), 1.0);
    EXPECT_EQ(evidence.Total.ExpectedRight, 7.0);
    EXPECT_EQ(run.Evidence().Track().Bound(), 1.0);
}

} // namespace
} // namespace kvarzel
