// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shortcut.h"
#include "platform/desktop/interval_timer.h"
#include "platform/keys/key_codes.h"
#include "test_support/main_form_fixture.h"
#include "test_support/wait_for.h"
#include "ui/main/bucket_view.h"
#include "ui/main/signal_circle.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

namespace kvarzel::testing {
namespace {

class AnswerInputTest : public MainFormTest {
protected:
    void SetUp() override {
        options.TimerEnabled = false;
        options.PeasCount = 50;
        MainFormTest::SetUp();
    }
    bool BoldButtonIs(QPushButton* button) const {
        return button->font().bold() &&
               (button == form->WhiteButton ? !form->BlackButton->font().bold()
                                            : !form->WhiteButton->font().bold());
    }
    void PressOnPicture(Qt::MouseButton button) {
        QTest::mousePress(form->BucketImage, button, {}, {20, 20});
    }
};

TEST_F(AnswerInputTest, FixedKeysAnswerWhateverTheModifiers) {
    Start();
    Press(Qt::Key_W, Qt::ShiftModifier);
    EXPECT_EQ(Drawn(), 1);
    EXPECT_TRUE(BoldButtonIs(form->WhiteButton));
    Press(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Drawn(), 2);
    EXPECT_TRUE(BoldButtonIs(form->BlackButton));
    Press(Qt::Key_Comma);
    EXPECT_TRUE(BoldButtonIs(form->WhiteButton));
    Press(Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(BoldButtonIs(form->BlackButton));
    EXPECT_EQ(Drawn(), 4);
}

TEST_F(AnswerInputTest, HotKeysNeedTheirExactModifiers) {
    options.KeyBlack = ShortCut(VK_F5, {.Ctrl = true});
    options.KeyWhite = ShortCut(VK_F6, {});
    Start();
    Press(Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    Press(Qt::Key_F5);
    Press(Qt::Key_F6, Qt::AltModifier);
    EXPECT_EQ(Drawn(), 0);
    Press(Qt::Key_F5, Qt::ControlModifier);
    EXPECT_TRUE(BoldButtonIs(form->BlackButton));
    Press(Qt::Key_F6);
    EXPECT_TRUE(BoldButtonIs(form->WhiteButton));
    EXPECT_EQ(Drawn(), 2);
}

TEST_F(AnswerInputTest, FixedKeyWinsOverAHotKeyAndBlackWinsATie) {
    options.KeyBlack = ShortCut(VK_W, {.Ctrl = true});
    Start();
    Press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(BoldButtonIs(form->WhiteButton));
    options.KeyBlack = options.KeyWhite = ShortCut(VK_F7, {.Shift = true});
    Press(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_TRUE(BoldButtonIs(form->BlackButton));
    EXPECT_EQ(Drawn(), 2);
}

TEST_F(AnswerInputTest, AKeyWithoutACodeMatchesNoUnsetHotKey) {
    Start();
    Press(Qt::Key_VolumeUp);
    EXPECT_EQ(Drawn(), 0) << "no hot key is set";
    options.KeyBlack = scCtrl; // modifiers without a key
    Press(Qt::Key_VolumeUp, Qt::ControlModifier);
    EXPECT_EQ(Drawn(), 0);
}

TEST_F(AnswerInputTest, TheMenuBarKeepsItsKeysDuringATraining) {
    Start();
    Press(Qt::Key_Alt, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), form->menuBar()) << "Alt alone selects the menu bar";
    Press(Qt::Key_Down);
    EXPECT_TRUE(form->TrainingMenuItem->isVisible());
    EXPECT_EQ(Drawn(), 0);
    form->TrainingMenuItem->close();
}

TEST_F(AnswerInputTest, OtherKeysAreConsumedOnlyDuringATraining) {
    QTabBar* tabs = form->PageControl->tabBar();
    tabs->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), tabs);
    Press(Qt::Key_Right);
    EXPECT_EQ(form->PageControl->currentWidget(), form->ResultsTabSheet)
        << "idle: the key acts as usual";
    Start();
    EXPECT_EQ(form->PageControl->currentWidget(), form->TrainTabSheet);
    tabs->setFocus();
    Press(Qt::Key_Right);
    EXPECT_EQ(form->PageControl->currentWidget(), form->TrainTabSheet)
        << "training: the key goes no further";
    form->WhiteButton->setFocus();
    Press(Qt::Key_Space);
    Press(Qt::Key_Return);
    EXPECT_EQ(Drawn(), 0) << "keys that would click a focused button are swallowed";
}

TEST_F(AnswerInputTest, MenuShortcutsStillWorkDuringATraining) {
    Start();
    Press(Qt::Key_W);
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Drawn(), 0);
    EXPECT_FALSE(form->WhiteButton->font().bold());
}

TEST_F(AnswerInputTest, MouseButtonsOnThePicture) {
    PressOnPicture(Qt::LeftButton);
    EXPECT_EQ(Drawn(), 0) << "no training";
    Start();
    PressOnPicture(Qt::MiddleButton);
    EXPECT_EQ(Drawn(), 0);
    PressOnPicture(Qt::LeftButton);
    EXPECT_TRUE(BoldButtonIs(form->WhiteButton));
    PressOnPicture(Qt::RightButton);
    EXPECT_TRUE(BoldButtonIs(form->BlackButton));
    EXPECT_EQ(Drawn(), 2);
    // The circle and its number lie over the picture and take the press.
    QTest::mousePress(form->SignalShape, Qt::LeftButton, {}, {5, 5});
    QTest::mousePress(form->CounterLabel, Qt::RightButton, {}, {5, 5});
    EXPECT_EQ(Drawn(), 2);
}

TEST_F(AnswerInputTest, DisabledButtonIgnoresTheClick) {
    Start();
    form->WhiteButton->setEnabled(false);
    form->BooleanButtonClick(form->WhiteButton);
    EXPECT_EQ(Drawn(), 0);
    EXPECT_FALSE(form->WhiteButton->font().bold());
}

TEST_F(AnswerInputTest, OnlyAStartAndAFirstAnswerBringTheTrainingPageForward) {
    Start();
    form->PageControl->setCurrentWidget(form->ResultsTabSheet);
    Press(Qt::Key_W);
    EXPECT_EQ(form->PageControl->currentWidget(), form->TrainTabSheet)
        << "the first answer shows the circle";
    form->PageControl->setCurrentWidget(form->ResultsTabSheet);
    Press(Qt::Key_W);
    EXPECT_EQ(Drawn(), 2);
    EXPECT_EQ(form->PageControl->currentWidget(), form->ResultsTabSheet);
    Start();
    EXPECT_EQ(form->PageControl->currentWidget(), form->TrainTabSheet);
}

class AnswerTimerTest : public MainFormTest {};

TEST_F(AnswerTimerTest, NoTimerAnswerBeforeATraining) {
    EXPECT_FALSE(form->AnswerTimer->Enabled());
    QTest::qWait(1100);
    EXPECT_EQ(Drawn(), 0);
}

TEST_F(AnswerTimerTest, ExpiryGivesTheWrongAnswerEvenInsideADialog) {
    options.TimeInterval = 40;
    options.PeasCount = 1000;
    Start();
    ASSERT_TRUE(WaitFor([&] { return Drawn() >= 2; }));
    EXPECT_EQ(form->SignalShape->BrushColor(), clRed);
    EXPECT_EQ(form->Training().RightCount(), 0);
    EXPECT_FALSE(form->WhiteButton->font().bold() || form->BlackButton->font().bold());

    QDialog dialog(form.get());
    int drawnInside = -1;
    const int before = Drawn();
    QTimer::singleShot(400, &dialog, [&] {
        drawnInside = Drawn();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_GT(drawnInside, before);
}

TEST_F(AnswerTimerTest, AnIntervalOfZeroOrLessNeverAnswers) {
    for (const int interval : {0, -5}) {
        options.TimeInterval = interval;
        Start();
        // A timer left at its initial 1000 ms would have answered by now.
        QTest::qWait(1100);
        EXPECT_EQ(Drawn(), 0) << interval;
    }
}

TEST_F(AnswerTimerTest, NoTimerAnswerAfterTheWindowCloses) {
    options.TimeInterval = 30;
    Start();
    form->close();
    QTest::qWait(150);
    EXPECT_EQ(Drawn(), 0);
    EXPECT_FALSE(form->AnswerTimer->Enabled());
}

TEST_F(AnswerTimerTest, SwitchingTheTimerOffTakesEffectAtTheNextAnswer) {
    options.TimeInterval = 30;
    Start();
    options.TimerEnabled = false;
    ASSERT_TRUE(WaitFor([&] { return Drawn() == 1; }));
    QTest::qWait(200);
    EXPECT_EQ(Drawn(), 1);
}

TEST_F(AnswerTimerTest, SwitchingTheTimerOnRunsItWithTheIntervalOfTheStart) {
    options.TimerEnabled = false;
    options.TimeInterval = 40;
    options.PeasCount = 50;
    Start();
    options.TimerEnabled = true;
    options.TimeInterval = 100000;
    form->WhiteButton->click();
    EXPECT_TRUE(WaitFor([&] { return Drawn() >= 2; }));
}

TEST_F(AnswerTimerTest, ARestartWithTheSameIntervalKeepsTheRunningCountdown) {
    options.TimeInterval = 1500;
    Start();
    QTest::qWait(1000);
    ASSERT_EQ(Drawn(), 0);
    Start();
    QElapsedTimer sinceRestart;
    sinceRestart.start();
    ASSERT_TRUE(WaitFor([&] { return Drawn() == 1; }, 3000));
    EXPECT_LT(sinceRestart.elapsed(), 1200)
        << "a restarted countdown would have taken the full 1500 ms";
}

} // namespace
} // namespace kvarzel::testing
