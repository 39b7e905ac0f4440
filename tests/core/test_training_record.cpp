#include "core/bucket.h"
#include "core/training_record.h"
#include "training_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kvarzel {
namespace {

// Keeps the records besides the calls; the calls must not change with them.
class RecordKeepingView : public testing::RecordingTrainingView {
public:
    std::vector<TrainingRecord> Records;
    void RecordTraining(const TrainingRecord& record) override {
        Records.push_back(record);
        Calls.push_back("record");
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

TEST_F(TrainingRecordTest, CountsGuessesAndTimerAnswersAfterTheResultsPage) {
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

    const auto last = view.Calls.end();
    EXPECT_EQ(std::vector<std::string>(last - 3, last),
              (std::vector<std::string>{"result #1", "record", "hide controls"}));
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
    ASSERT_EQ(view.Records.size(), 1U);
    EXPECT_EQ(view.Records[0].Answers.Total(), 4);
    EXPECT_EQ(view.Records[0].Answers.Timer, 0);
    EXPECT_EQ(view.Records[0].RightCount, 3);
    EXPECT_EQ(view.Records[0].Bucket, (BucketMakeUp{false, BlackTarget(4, 5)}));
}

} // namespace
} // namespace kvarzel
