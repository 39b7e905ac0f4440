// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/application_hint.h"
#include "platform/drawing/canvas.h"
#include "test_support/main_form_fixture.h"
#include "test_support/message_box_closer.h"
#include "test_support/wait_for.h"
#include "ui/main/signal_circle.h"

#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

namespace kvarzel::testing {
namespace {

class FeedbackTest : public MainFormTest {
protected:
    void SetUp() override {
        options.TimerEnabled = false;
        options.PeasCount = 5;
        MainFormTest::SetUp();
    }
};

TEST_F(FeedbackTest, RightAnswerShowsAGreenNumberWithoutSound) {
    options.BeepWrong = true;
    Start();
    EXPECT_TRUE(form->SignalShape->isHidden());
    RightButton()->click();
    EXPECT_FALSE(form->SignalShape->isHidden());
    EXPECT_FALSE(form->CounterLabel->isHidden());
    EXPECT_EQ(form->SignalShape->BrushColor(), clGreen);
    EXPECT_EQ(form->CounterLabel->text(), "1");
    EXPECT_EQ(form->CounterLabel->palette().color(QPalette::Window), ToQColor(clGreen));
    EXPECT_TRUE(sound.Played.empty());
}

TEST_F(FeedbackTest, WrongAnswerPlaysBeepThenWaveWithTheButtonsDisabled) {
    options.BeepWrong = true;
    options.BeepFrequency = 700;
    options.BeepDuration = 20;
    options.WaveWrong = true;
    options.WaveFilename = "missing.wav";
    Start();
    RightButton()->click();
    RightButton()->click();
    WrongButton()->click();
    EXPECT_EQ(form->SignalShape->BrushColor(), clRed);
    EXPECT_EQ(form->CounterLabel->text(), "3");
    EXPECT_EQ(sound.Played, (std::vector<std::string>{"beep 700 20", "wave missing.wav"}));
    EXPECT_TRUE(form->WhiteButton->isEnabled());
    EXPECT_TRUE(form->BlackButton->isEnabled());
}

TEST_F(FeedbackTest, OnlyAWrongAnswerLetsWaitingEventsRunAndBeforeTheSound) {
    options.BeepWrong = true;
    Start();
    int soundsWhenEventsRan = -1;
    const auto queueProbe = [&] {
        QMetaObject::invokeMethod(
            form.get(), [&] { soundsWhenEventsRan = int(sound.Played.size()); },
            Qt::QueuedConnection);
    };
    queueProbe();
    RightButton()->click();
    EXPECT_EQ(soundsWhenEventsRan, -1) << "a right answer waits for nothing";
    QApplication::processEvents();
    queueProbe();
    WrongButton()->click();
    EXPECT_EQ(soundsWhenEventsRan, 0) << "the waiting events ran before the beep";
    EXPECT_EQ(sound.Played.size(), 1u);
}

TEST_F(FeedbackTest, WrongAnswerWithoutSoundsKeepsTheButtonsEnabled) {
    Start();
    WrongButton()->click();
    EXPECT_EQ(form->SignalShape->BrushColor(), clRed);
    EXPECT_TRUE(sound.Played.empty());
    EXPECT_TRUE(form->WhiteButton->isEnabled() && form->BlackButton->isEnabled());
}

TEST_F(FeedbackTest, ASecondClickWaitingDuringAWrongAnswerIsDropped) {
    Start();
    QPushButton* wrong = WrongButton();
    QMetaObject::invokeMethod(form->WhiteButton, &QPushButton::click, Qt::QueuedConnection);
    wrong->click();
    EXPECT_EQ(Drawn(), 1);
    QApplication::processEvents();
    EXPECT_EQ(Drawn(), 1);
}

TEST_F(FeedbackTest, AStartWaitingDuringAWrongAnswerRestartsTheTraining) {
    Start();
    RightButton()->click();
    QMetaObject::invokeMethod(form->TrainMenuItem, &QAction::trigger, Qt::QueuedConnection);
    WrongButton()->click();
    EXPECT_EQ(Drawn(), 0);
    EXPECT_EQ(form->Training().RightCount(), 0);
    EXPECT_FALSE(form->WhiteButton->isHidden());
    // The circle keeps the abandoned training's last answer until the next one.
    EXPECT_EQ(form->CounterLabel->text(), "2");
    EXPECT_EQ(form->SignalShape->BrushColor(), clRed);
}

TEST_F(FeedbackTest, AnAnswerClearsTheHint) {
    Start();
    QTest::mouseMove(form->WhiteButton);
    ASSERT_TRUE(WaitFor([&] { return !form->StatusBar->currentMessage().isEmpty(); }));
    EXPECT_EQ(form->StatusBar->currentMessage(), "Я чувствую, что сейчас выпадет БЕЛАЯ горошина!");
    RightButton()->click();
    EXPECT_TRUE(form->StatusBar->currentMessage().isEmpty());
    EXPECT_TRUE(ApplicationHint::Instance().Hint().isEmpty());
}

TEST_F(FeedbackTest, TheEndShowsTheResultAndHandsItOn) {
    options.PeasCount = 8;
    Start();
    RightButton()->click();
    MessageBoxCloser closer;
    for (int i = 1; i < 8; ++i)
        WrongButton()->click();
    EXPECT_EQ(closer.Texts, QStringList{"Ваша интуиция составляет 12%."});
    EXPECT_EQ(closer.Captions, QStringList{"Результат"});
    ASSERT_EQ(results.Added.size(), 1u);
    EXPECT_EQ(results.Added[0], std::make_pair(12.5, 1));
    EXPECT_TRUE(form->WhiteButton->isHidden());
    EXPECT_TRUE(form->BlackButton->isHidden());
    EXPECT_TRUE(form->SignalShape->isHidden());
    EXPECT_TRUE(form->CounterLabel->isHidden());
    EXPECT_FALSE(form->WhiteButton->font().bold() || form->BlackButton->font().bold());
    // The next training's first answer brings the circle back.
    Start();
    RightButton()->click();
    EXPECT_FALSE(form->SignalShape->isHidden());
}

} // namespace
} // namespace kvarzel::testing
