// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says as a training starts: the peas, the keys that
// really answer, and the time an answer may take.
#include "platform/keys/key_codes.h"
#include "test_support/main_form_fixture.h"
#include "ui/main/answer_keys.h"
#include "ui/main/training_announcement.h"

#include <QAccessible>

#include <vector>

namespace kvarzel::testing {
namespace {

constexpr TShortCut CtrlF6 = ShortCut(VK_F6, {.Ctrl = true});

// A hot key is said to answer a colour exactly when pressing it would.
TEST(ActingHotKeyTest, AHotKeyActsOnlyWherePressingItAnswersItsColour) {
    struct Case {
        TShortCut white;
        TShortCut black;
        TShortCut actingWhite;
        TShortCut actingBlack;
        const char* why;
    };
    const std::vector<Case> cases = {
        {VK_F5, CtrlF6, VK_F5, CtrlF6, "two keys of their own"},
        {0, 0, 0, 0, "no keys"},
        {scCtrl | scShift, VK_F5, 0, VK_F5, "modifiers alone are no key"},
        {ShortCut(VK_W, {.Ctrl = true}), VK_F5, 0, VK_F5, "a fixed key wins, modifiers or not"},
        {VK_F5, VK_X, VK_F5, 0, "X is a fixed key of black"},
        {VK_F5, VK_OEM_COMMA, VK_F5, 0, "comma is a fixed key of white"},
        {VK_F5, VK_F5, 0, VK_F5, "black takes a key both have"},
        {ShortCut(VK_F5, {.Shift = true}), VK_F5, ShortCut(VK_F5, {.Shift = true}), VK_F5,
         "other modifiers make another key"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ActingHotKey(Answer::White, c.white, c.black), c.actingWhite) << c.why;
        EXPECT_EQ(ActingHotKey(Answer::Black, c.white, c.black), c.actingBlack) << c.why;
    }
}

TEST(TrainingStartTextTest, SaysThePeasTheKeysAndTheTimerInRussian) {
    struct Case {
        int peas;
        TShortCut white;
        TShortCut black;
        bool timer;
        int interval;
        QString spoken;
    };
    const std::vector<Case> cases = {
        {10, 0, 0, true, 1000,
         "Тренировка: 10 горошин. Белая — W или запятая (Б); чёрная — B или X (Ч). "
         "Время на ответ: 1000 миллисекунд."},
        {1, VK_F5, CtrlF6, false, 1000,
         "Тренировка: 1 горошина. Белая — W, запятая (Б) или F5; чёрная — B, X (Ч) или "
         "Ctrl+F6. Время на ответ не ограничено."},
        {23, VK_F5, VK_F5, true, 2,
         "Тренировка: 23 горошины. Белая — W или запятая (Б); чёрная — B, X (Ч) или F5. "
         "Время на ответ: 2 миллисекунды."},
        {111, ShortCut(VK_B, {.Alt = true}), 0, true, 1,
         "Тренировка: 111 горошин. Белая — W или запятая (Б); чёрная — B или X (Ч). "
         "Время на ответ: 1 миллисекунда."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrainingStartText(c.peas, c.white, c.black, c.timer, c.interval), c.spoken)
            << c.peas;
}

class TrainingStartNoticeTest : public MainFormTest {
protected:
    void SetUp() override {
        options.PeasCount = 3;
        options.KeyWhite = VK_F5;
        options.TimerEnabled = false;
        MainFormTest::SetUp();
    }
    QString Notice() const {
        auto* notice = form->findChild<QWidget*>("TrainingNotice");
        return notice ? QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name)
                      : QStringLiteral("<no notice>");
    }
};

// Each start is said anew, with the settings of that start, wherever the focus is.
TEST_F(TrainingStartNoticeTest, EachStartIsSaidWithTheSettingsItStartsWith) {
    QWidget* focused = QApplication::focusWidget();
    Start();
    EXPECT_EQ(Notice(), TrainingStartText(3, VK_F5, 0, false, 1000));
    EXPECT_TRUE(form->findChild<QWidget*>("TrainingNotice")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), focused);
    form->WhiteButton->click();
    EXPECT_NE(Notice(), TrainingStartText(3, VK_F5, 0, false, 1000));
    options.PeasCount = 12;
    options.TimerEnabled = true;
    options.TimeInterval = 2500;
    Start();
    EXPECT_EQ(Notice(), TrainingStartText(12, VK_F5, 0, true, 2500));
    // A count outside the options' range starts, and is said, as the training holds it.
    options.PeasCount = 0;
    Start();
    EXPECT_TRUE(Notice().startsWith("Тренировка: 1 горошина.")) << Notice().toStdString();
}

} // namespace
} // namespace kvarzel::testing
