// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bucket.h"
#include "core/training_record.h"
#include "test_support/training_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace kvarzel {
namespace {

// Keeps the records besides the calls; the calls must not change with them.
class RecordKeepingView : public testing::RecordingTrainingView {
public:
    std::vector<TrainingRecord> Records;
    // Runs while the result message is up, to play events that arrive there.
    std::function<void()> OnResultMessage;
    void RecordTraining(const TrainingRecord& record) override {
        Records.push_back(record);
        Calls.push_back(record.Abandoned ? "record abandoned" : "record");
    }
    void ShowResultMessage(const std::string& message) override {
        RecordingTrainingView::ShowResultMessage(message);
        if (OnResultMessage)
            std::exchange(OnResultMessage, nullptr)();
    }
};

class TrainingRecordTest : public testing::TrainingFixture<RecordKeepingView> {
protected:
    void SetUp() override {
        TrainingFixture::SetUp();
        options->BeepWrong = false;
        options->WaveWrong = false;
    }
};

TEST_F(TrainingRecordTest, CountsGuessesAndTimerAnswersBeforeTheResultBox) {
    options->PeasCount = 6;
    options->PeasRatio = 10;
    options->TimeInterval = 1500;
    run.Start();
    run.ProcessAnswer(Answer::White);
    run.ProcessAnswer(Answer::Black);
    run.TimerAnswer();
    const Answer fourth = RightAnswer();
    run.ProcessAnswer(fourth);
    run.TimerAnswer();
    run.ProcessAnswer(Answer::Black);

    ASSERT_EQ(view.Records.size(), 1U);
    const TrainingRecord& record = view.Records.front();
    EXPECT_EQ(record.Answers.Timer, 2);
    EXPECT_EQ(record.Answers.White, fourth == Answer::White ? 2 : 1);
    EXPECT_EQ(record.Answers.Black, fourth == Answer::Black ? 3 : 2);
    EXPECT_EQ(record.RightCount, run.RightCount());
    EXPECT_EQ(record.Percentage, view.Results.back());
    EXPECT_EQ(record.PeasCount, 6);
    EXPECT_EQ(record.PeasRatio, 10);
    EXPECT_TRUE(record.TimerEnabled);
    EXPECT_EQ(record.TimeInterval, 1500);
    EXPECT_EQ(record.Bucket, (BucketMakeUp{false, 3}));
    EXPECT_EQ(std::count(run.Peas().begin(), run.Peas().end(), true), 3);

    // Recorded before the box, so that a kill while it is up loses nothing.
    const auto last = view.Calls.end();
    EXPECT_EQ(std::vector<std::string>(last - 4, last),
              (std::vector<std::string>{"record", "message " + ResultMessage(WholePercentage(
                                                                     record.Percentage)),
                                        "result #1", "hide controls"}));
}

TEST_F(TrainingRecordTest, BucketAndSettingsAreTheStartsNotLaterChanges) {
    options->PeasCount = 3;
    options->PeasRatio = 20;
    run.Start();
    options->PeasCount = 50;
    options->PeasRatio = 7;
    options->TimerEnabled = false;
    for (int i = 0; i < 3; ++i)
        run.ProcessAnswer(WrongAnswer());
    ASSERT_EQ(view.Records.size(), 1U);
    EXPECT_EQ(view.Records[0].PeasCount, 3);
    EXPECT_EQ(view.Records[0].PeasRatio, 20);
    EXPECT_TRUE(view.Records[0].TimerEnabled);
    EXPECT_TRUE(view.Records[0].Bucket.ByChance);
    EXPECT_EQ(view.Records[0].RightCount, 0);
    // A stored ratio beyond the scale fills as its end does, and is recorded so.
    options->PeasCount = 2;
    options->PeasRatio = 33;
    run.Start();
    run.ProcessAnswer(RightAnswer());
    run.ProcessAnswer(RightAnswer());
    EXPECT_EQ(view.Records[1].PeasRatio, 20);
    EXPECT_EQ(view.Records[1].RightCount, 2);
}

TEST_F(TrainingRecordTest, AbandonedAndDroppedAnswersAreNotCounted) {
    options->PeasCount = 4;
    options->PeasRatio = 5;
    run.Start();
    run.ProcessAnswer(Answer::White);
    run.TimerAnswer();
    // A new start abandons those two; a wrong answer's pending events bring
    // a second answer, which the guard drops.
    run.Start();
    EXPECT_EQ(run.Answers(), AnswerMix{});
    view.OnPendingEvents = [this] { run.ProcessAnswer(Answer::White); };
    run.ProcessAnswer(WrongAnswer());
    for (int i = 0; i < 3; ++i)
        run.ProcessAnswer(RightAnswer());
    // The abandoned training is recorded for the statistics only, the
    // finished one as before.
    ASSERT_EQ(view.Records.size(), 2U);
    EXPECT_TRUE(view.Records[0].Abandoned);
    EXPECT_EQ(view.Records[0].Answers, (AnswerMix{1, 0, 1}));
    EXPECT_FALSE(view.Records[1].Abandoned);
    EXPECT_EQ(view.Records[1].Answers.Total(), 4);
    EXPECT_EQ(view.Records[1].Answers.Timer, 0);
    EXPECT_EQ(view.Records[1].RightCount, 3);
    EXPECT_EQ(view.Records[1].Bucket, (BucketMakeUp{false, BlackTarget(4, 5)}));
    EXPECT_EQ(run.TrainingCount(), 1);
}

// A training left before its end by a new start or by closing the window
// reaches the statistics, marked, with its answers so far; nothing else shows.
TEST_F(TrainingRecordTest, AnAbandonedTrainingIsRecordedAndNothingElseShows) {
    options->PeasCount = 6;
    options->PeasRatio = 0;
    options->TimeInterval = 700;
    const std::function<void()> leaveByStart = [this] { run.Start(); };
    const std::function<void()> leaveByClose = [this] { run.Abandon(); };
    for (const auto& leave : {leaveByStart, leaveByClose}) {
        view.Records.clear();
        run.Start();
        run.ProcessAnswer(RightAnswer());
        run.TimerAnswer();
        run.ProcessAnswer(RightAnswer());
        run.ProcessAnswer(WrongAnswer());
        view.Calls.clear();
        leave();
        ASSERT_EQ(view.Records.size(), 1U);
        EXPECT_EQ(view.Calls.front(), "record abandoned");
        const TrainingRecord& record = view.Records[0];
        EXPECT_EQ(record.Answers.Timer, 1);
        EXPECT_EQ(record.Answers.Guessed(), 3);
        EXPECT_EQ(record.RightCount, 2);
        EXPECT_EQ(record.Percentage, ExactPercentage(2, 4));
        EXPECT_EQ(record.PeasCount, 6);
        EXPECT_EQ(record.TimeInterval, 700);
        ASSERT_TRUE(record.Evidence.has_value());
        EXPECT_EQ(record.Evidence->Total.ExpectedRight, 1.5);
        EXPECT_TRUE(view.Results.empty());
        EXPECT_EQ(run.TrainingCount(), 0);
    }
    // Closed: no answer is taken any more, and a second close records nothing.
    view.Calls.clear();
    run.ProcessAnswer(Answer::White);
    run.TimerAnswer();
    run.Abandon();
    EXPECT_EQ(view.Calls, (std::vector<std::string>{"timer off"}));
    EXPECT_EQ(run.DrawIndex(), 4);
    EXPECT_EQ(run.Evidence().LogWealthCourse().size(), 6U);
}

TEST_F(TrainingRecordTest, WithoutAnAnswerOrAfterItsEndNothingIsAbandoned) {
    options->PeasCount = 2;
    run.Abandon();
    run.Start();
    run.Start();
    run.Abandon();
    EXPECT_TRUE(view.Records.empty());
    run.Start();
    run.ProcessAnswer(Answer::White);
    run.ProcessAnswer(Answer::White);
    run.Abandon();
    run.Start();
    ASSERT_EQ(view.Records.size(), 1U);
    EXPECT_FALSE(view.Records[0].Abandoned);
}

// Events that run inside an answer step: a close during a wrong answer's
// sounds ends the training there (no timer, no result); a close while the
// result message is up leaves the finished training finished; a start
// during the last answer's sounds abandons a training that has all its answers.
TEST_F(TrainingRecordTest, LeavingInsideAnAnswerStep) {
    using Calls = std::vector<std::string>;
    options->PeasCount = 3;
    options->TimerEnabled = true;
    run.Start();
    view.Calls.clear();
    view.OnPendingEvents = [this] { run.Abandon(); };
    run.ProcessAnswer(WrongAnswer());
    EXPECT_EQ(view.Calls, (Calls{"red 1", "process events", "record abandoned"}));

    run.Start();
    run.ProcessAnswer(RightAnswer());
    run.ProcessAnswer(RightAnswer());
    view.OnResultMessage = [this] { run.Abandon(); };
    run.ProcessAnswer(RightAnswer());
    EXPECT_EQ(view.Records.back().Abandoned, false);
    EXPECT_EQ(run.TrainingCount(), 1);

    run.Start();
    run.ProcessAnswer(RightAnswer());
    run.ProcessAnswer(RightAnswer());
    view.OnPendingEvents = [this] { run.Start(); };
    run.ProcessAnswer(WrongAnswer());
    ASSERT_EQ(view.Records.size(), 3U);
    EXPECT_TRUE(view.Records.back().Abandoned);
    EXPECT_EQ(view.Records.back().Answers.Total(), 3);
    EXPECT_EQ(view.Records.back().Percentage, ExactPercentage(2, 3));
    EXPECT_EQ(run.TrainingCount(), 1);
    EXPECT_TRUE(run.UnderWay());
    EXPECT_EQ(run.DrawIndex(), 0);
}

} // namespace
} // namespace kvarzel
