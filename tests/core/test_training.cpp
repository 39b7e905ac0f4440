// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random_source.h"
#include "core/utc_clock.h"
#include "test_support/training_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using ::testing::Contains;
using testing::RecordingTrainingView;
using Calls = std::vector<std::string>;

TEST(Percentage, ExactAndWhole) {
    EXPECT_DOUBLE_EQ(ExactPercentage(1, 8), 12.5);
    EXPECT_EQ(WholePercentage(ExactPercentage(1, 8)), 12);
    EXPECT_EQ(WholePercentage(ExactPercentage(3, 8)), 38);
    EXPECT_EQ(WholePercentage(ExactPercentage(1, 40)), 2);
    EXPECT_EQ(ExactPercentage(2, 3), static_cast<double>(2.0L / 3.0L * 100));
    EXPECT_EQ(WholePercentage(ExactPercentage(2, 3)), 67);
    EXPECT_EQ(ExactPercentage(0, 0), 0.0);
}

TEST(Percentage, Message) {
    EXPECT_EQ(ResultMessage(12), "Ваша интуиция составляет 12%.");
    EXPECT_EQ(ResultMessage(100), "Ваша интуиция составляет 100%.");
    EXPECT_EQ(ResultMessage(0), "Ваша интуиция составляет 0%.");
}

class TrainingTest : public testing::TrainingFixture<RecordingTrainingView> {
protected:
    void SetUp() override {
        TrainingFixture::SetUp();
        SetUtcTimeOfDaySource([] { return UtcTimeOfDay{12, 34, 56, 789}; });
    }
    void TearDown() override {
        TrainingFixture::TearDown();
        SetUtcTimeOfDaySource({});
    }
    void StartWithoutRecording() {
        run.Start();
        view.Calls.clear();
    }
};

TEST_F(TrainingTest, StartSeedsFillsAndArms) {
    options->PeasCount = 12;
    options->TimeInterval = 2500;
    options->TimerEnabled = false;
    run.Start();
    EXPECT_EQ(run.PeasCount(), 12);
    EXPECT_EQ(run.DrawIndex(), 0);
    EXPECT_EQ(run.RightCount(), 0);
    EXPECT_EQ(view.Calls, (Calls{"show buttons", "arm timer 2500 off"}));
}

TEST_F(TrainingTest, BucketComesFromTheClockSeed) {
    options->PeasCount = 8;
    run.Start();
    Seed = 45296789;
    std::vector<bool> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(NextBelow(2) == 1);
    EXPECT_EQ(run.Peas(), expected);
}

TEST_F(TrainingTest, RightAnswerShowsGreenAndRearmsWithoutEvents) {
    options->PeasCount = 3;
    StartWithoutRecording();
    run.ProcessAnswer(RightAnswer());
    EXPECT_EQ(view.Calls, (Calls{"green 1", "timer on"}));
    EXPECT_EQ(run.RightCount(), 1);
    EXPECT_FALSE(run.Answering());
}

TEST_F(TrainingTest, WrongAnswerProcessesEventsThenBeepThenWave) {
    options->PeasCount = 3;
    options->BeepWrong = true;
    options->BeepFrequency = 440;
    options->BeepDuration = 50;
    options->WaveWrong = true;
    options->WaveFilename = "wrong.wav";
    options->TimerEnabled = false;
    StartWithoutRecording();
    run.ProcessAnswer(WrongAnswer());
    EXPECT_EQ(view.Calls,
              (Calls{"red 1", "process events", "disable buttons", "beep 440 50", "enable buttons",
                     "disable buttons", "wave wrong.wav", "enable buttons", "timer off"}));
    EXPECT_EQ(run.RightCount(), 0);
}

TEST_F(TrainingTest, EndShowsMessageThenResultThenHides) {
    options->PeasCount = 8;
    StartWithoutRecording();
    run.ProcessAnswer(RightAnswer());
    for (int i = 1; i < 8; ++i)
        run.ProcessAnswer(WrongAnswer());
    const Calls tail(view.Calls.end() - 4, view.Calls.end());
    EXPECT_EQ(tail, (Calls{"clear bold", "message Ваша интуиция составляет 12%.", "result #1",
                           "hide controls"}));
    EXPECT_EQ(view.Results, (std::vector<double>{12.5}));
    EXPECT_EQ(run.TrainingCount(), 1);
    // The training is over: further answers are not taken.
    view.Calls.clear();
    run.ProcessAnswer(Answer::White);
    run.TimerAnswer();
    EXPECT_EQ(view.Calls, (Calls{"timer off"}));
}

TEST_F(TrainingTest, SinglePeaEndsAtTheFirstAnswer) {
    options->PeasCount = 1;
    StartWithoutRecording();
    run.ProcessAnswer(RightAnswer());
    EXPECT_EQ(view.Calls, (Calls{"green 1", "clear bold", "message Ваша интуиция составляет 100%.",
                                 "result #1", "hide controls"}));
    StartWithoutRecording();
    run.ProcessAnswer(WrongAnswer());
    EXPECT_EQ(view.Results.back(), 0.0);
    EXPECT_EQ(run.TrainingCount(), 2);
}

TEST_F(TrainingTest, TimerAnswersAreAlwaysWrong) {
    options->PeasCount = 40;
    options->PeasRatio = 9;
    StartWithoutRecording();
    for (int i = 0; i < 40; ++i) {
        view.Calls.clear();
        run.TimerAnswer();
        ASSERT_EQ(view.Calls.at(0), "timer off");
        ASSERT_EQ(view.Calls.at(1), "red " + std::to_string(i + 1));
    }
    EXPECT_EQ(run.RightCount(), 0);
    EXPECT_EQ(view.Results, (std::vector<double>{0.0}));
    EXPECT_THAT(view.Calls, Contains("message Ваша интуиция составляет 0%."));
}

TEST_F(TrainingTest, NestedAnswerDuringPendingEventsIsDropped) {
    options->PeasCount = 5;
    StartWithoutRecording();
    view.OnPendingEvents = [this] {
        run.ProcessAnswer(Answer::White);
        run.TimerAnswer();
    };
    run.ProcessAnswer(WrongAnswer());
    EXPECT_EQ(run.DrawIndex(), 1);
    EXPECT_EQ(view.Calls, (Calls{"red 1", "process events", "timer off", "timer on"}));
}

TEST_F(TrainingTest, RestartDuringPendingEventsResetsAndRearms) {
    options->PeasCount = 2;
    StartWithoutRecording();
    run.ProcessAnswer(RightAnswer());
    view.Calls.clear();
    // The final answer is wrong; a start arrives while its events run.
    view.OnPendingEvents = [this] { run.Start(); };
    run.ProcessAnswer(WrongAnswer());
    EXPECT_EQ(view.Calls,
              (Calls{"red 2", "process events", "show buttons", "arm timer 1000 on", "timer on"}));
    EXPECT_EQ(run.DrawIndex(), 0);
    EXPECT_EQ(run.RightCount(), 0);
    EXPECT_EQ(run.TrainingCount(), 0);
    EXPECT_FALSE(run.Answering());
}

TEST_F(TrainingTest, RestartInTheMiddleKeepsTheTrainingCount) {
    options->PeasCount = 4;
    StartWithoutRecording();
    run.ProcessAnswer(RightAnswer());
    run.ProcessAnswer(RightAnswer());
    run.Start();
    EXPECT_EQ(run.DrawIndex(), 0);
    EXPECT_EQ(run.RightCount(), 0);
    EXPECT_EQ(run.TrainingCount(), 0);
}

TEST_F(TrainingTest, CountIsFixedWhenTheTrainingStarts) {
    options->PeasCount = 4;
    StartWithoutRecording();
    options->PeasCount = 2; // lowered in the options dialog
    for (int i = 0; i < 3; ++i)
        run.ProcessAnswer(RightAnswer());
    EXPECT_TRUE(view.Results.empty());
    options->PeasCount = 100; // raised
    run.ProcessAnswer(RightAnswer());
    EXPECT_EQ(view.Results, (std::vector<double>{100.0}));
    run.ProcessAnswer(Answer::White);
    EXPECT_EQ(run.DrawIndex(), 4);
}

TEST_F(TrainingTest, AbsurdStoredCountsAreClamped) {
    options->PeasCount = 0;
    run.Start();
    EXPECT_EQ(run.PeasCount(), 1);
    options->PeasCount = -7;
    run.Start();
    EXPECT_EQ(run.PeasCount(), 1);
    options->PeasCount = 2147483647;
    options->PeasRatio = 2147483647;
    run.Start();
    EXPECT_EQ(run.PeasCount(), TrainingRun::MaxPeas);
}

} // namespace
} // namespace kvarzel
