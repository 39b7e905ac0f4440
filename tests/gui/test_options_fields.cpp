// SPDX-License-Identifier: GPL-3.0-or-later
// The number field and the hot-key field, driven by real key and mouse input.
#include "platform/desktop/locale_separators.h"
#include "platform/keys/key_codes.h"
#include "test_support/options_form_fixture.h"
#include "ui/options/hot_key_clear_button.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QSignalSpy>
#include <QToolButton>

#include <tuple>

namespace kvarzel::testing {
namespace {

// A letter key as a Russian layout reports it.
void PressCyrillic(QWidget* target, int key, const char* letter,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), QString::fromUtf8(letter), modifiers);
}

class NumberField : public OptionsFormTest {
protected:
    void SetUp() override {
        OptionsFormTest::SetUp();
        Show();
        field = form->TimerSpinEdit;
        ShowPage(form->ControlTabSheet);
        Focus(field);
        field->selectAll();
    }
    SpinEdit* field = nullptr;
};

TEST_F(NumberField, ReadsAWholeNumberClampedAndAnythingElseAsTheMinimum) {
    const std::pair<const char*, int> cases[] = {{"250", 250},
                                                 {"+250", 250},
                                                 {"-7", 1},
                                                 {"0", 1},
                                                 {"99999", 60000},
                                                 {"", 1},
                                                 {"-", 1},
                                                 {"1,5", 1},
                                                 {"1.5", 1},
                                                 {"+-3", 1},
                                                 {"2147483647", 60000},
                                                 {"2147483648", 1},
                                                 {"-2147483649", 1}};
    for (const auto& [text, value] : cases) {
        field->setMaxLength(20);
        field->setText(text);
        EXPECT_EQ(field->Value(), value) << text;
    }
}

TEST_F(NumberField, RefusesAnyOtherPrintableCharacterWithABeep) {
    QSignalSpy refused(field, &SpinEdit::CharacterRefused);
    Type("12");
    QTest::keyClick(field, Qt::Key_A);
    QTest::keyClick(field, Qt::Key_Space);
    PressCyrillic(field, 0x0410, "а");
    EXPECT_EQ(refused.count(), 3);
    EXPECT_EQ(field->text(), "12");
    const QString separator = UserNumberSeparators().Decimal;
    Type("+-" + separator);
    EXPECT_EQ(refused.count(), 3);
    EXPECT_EQ(field->text(), "12+-" + separator);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "12+-");
}

TEST_F(NumberField, KeepsToItsMaximumLength) {
    Type("1234567");
    EXPECT_EQ(field->text(), "12345");
}

TEST_F(NumberField, ArrowKeysStepByOneWithinTheRange) {
    Type("59999");
    Press(Qt::Key_Up);
    EXPECT_EQ(field->text(), "60000");
    Press(Qt::Key_Up);
    EXPECT_EQ(field->text(), "60000");
    field->setText("abc");
    Press(Qt::Key_Down);
    EXPECT_EQ(field->text(), "1");
    Press(Qt::Key_Up);
    EXPECT_EQ(field->text(), "2");
}

TEST_F(NumberField, AButtonClickStepsOnceOnRelease) {
    Type("10");
    QTest::mousePress(field->UpButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), "10");
    QTest::mouseRelease(field->UpButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), "11");
    QTest::mouseClick(field->DownButton(), Qt::LeftButton);
    QTest::mouseClick(field->DownButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), "9");
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(NumberField, LeavingReplacesAnOutOfRangeNumberAndLeavesBadTextAlone) {
    Type("70000");
    Focus(form->TimerCheckBox);
    EXPECT_EQ(field->text(), "60000");
    for (const char* text : {"", "1,5", "-"}) {
        Focus(field);
        field->setText(text);
        Focus(form->TimerCheckBox);
        EXPECT_EQ(field->text(), text);
    }
    Focus(field);
    field->setText("-0");
    Focus(form->TimerCheckBox);
    EXPECT_EQ(field->text(), "1");
}

class HotKeyField : public OptionsFormTest {
protected:
    void SetUp() override {
        OptionsFormTest::SetUp();
        Show();
        field = form->WhiteHotKey;
        Focus(field);
    }
    HotKeyEdit* field = nullptr;
};

TEST_F(HotKeyField, TakesAKeyWithItsModifiers) {
    Press(Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(field->HotKey(), ShortCut(VK_F5, {.Shift = true, .Ctrl = true}));
    EXPECT_EQ(field->text(), "Ctrl+Shift+F5");
    Press(Qt::Key_Q);
    EXPECT_EQ(field->HotKey(), VK_Q);
    EXPECT_EQ(field->text(), "Q");
}

TEST_F(HotKeyField, ALetterOnARussianLayoutIsItsKey) {
    PressCyrillic(field, 0x0426, "ц", Qt::AltModifier);
    EXPECT_EQ(field->HotKey(), ShortCut(VK_W, {.Alt = true}));
    EXPECT_EQ(field->text(), "Alt+W");
}

TEST_F(HotKeyField, ButtonAcceleratorsAreTakenAsKeysToo) {
    PressCyrillic(field, 0x041A, "к", Qt::AltModifier);
    EXPECT_FALSE(Closed());
    EXPECT_EQ(field->HotKey(), ShortCut(VK_R, {.Alt = true}));
}

TEST_F(HotKeyField, ModifiersAloneAreTakenWhenReleased) {
    QTest::keyPress(field, Qt::Key_Control);
    QTest::keyPress(field, Qt::Key_Alt, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "Ctrl+Alt+");
    EXPECT_EQ(field->HotKey(), 0);
    QTest::keyRelease(field, Qt::Key_Alt, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyRelease(field, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(field->HotKey(), ShortCut(0, {.Ctrl = true, .Alt = true}));
}

TEST_F(HotKeyField, CtrlEnterConfirmsWithTheFieldUnchanged) {
    Press(Qt::Key_F2);
    Press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Result(), mrOk);
    EXPECT_EQ(Options->KeyWhite, VK_F2);
}

TEST_F(HotKeyField, TabMovesOnInsteadOfBeingTaken) {
    Press(Qt::Key_Tab);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_TRUE(form->BlackHotKey->hasFocus());
}

// Keys that clear or open menus elsewhere are keys like any other here.
TEST_F(HotKeyField, BackspaceDeleteShiftF10AndTheMenuKeyAreTakenAsKeys) {
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, TShortCut, const char*> cases[] = {
        {Qt::Key_Backspace, Qt::NoModifier, VK_BACK, "Backspace"},
        {Qt::Key_Delete, Qt::NoModifier, VK_DELETE, "Delete"},
        {Qt::Key_F10, Qt::ShiftModifier, ShortCut(VK_F10, {.Shift = true}), "Shift+F10"},
        {Qt::Key_Menu, Qt::NoModifier, VK_APPS, "Menu"}};
    for (const auto& [key, modifiers, value, name] : cases) {
        Press(key, modifiers);
        EXPECT_EQ(field->HotKey(), value) << name;
        EXPECT_TRUE(field->hasFocus()) << name;
        EXPECT_FALSE(Closed()) << name;
    }
}

// The button beside the field clears it, from the mouse or, reached with Tab,
// from the keyboard; the context menu's item too.
TEST_F(HotKeyField, TheClearButtonBesideTheFieldClearsIt) {
    QToolButton* clear = form->WhiteClearButton;
    EXPECT_FALSE(clear->isEnabled());
    Press(Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(field->text(), "Shift+Пробел");
    ASSERT_TRUE(clear->isEnabled());
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_EQ(field->text(), "");
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_TRUE(field->hasFocus());

    Press(Qt::Key_F2);
    Press(Qt::Key_Tab);
    ASSERT_TRUE(clear->hasFocus());
    Press(Qt::Key_Space);
    EXPECT_EQ(field->HotKey(), 0);
    // Back in the field for the next key.
    EXPECT_TRUE(field->hasFocus());

    Press(Qt::Key_F3);
    ASSERT_TRUE(field->actions().contains(field->ClearAction()));
    field->ClearAction()->trigger();
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_FALSE(clear->isEnabled());
    Press(Qt::Key_Return);
    EXPECT_EQ(Options->KeyWhite, 0);
}

// Tab passes a clear button with nothing to clear (above); with a key, it stops there first.
TEST_F(HotKeyField, TabReachesTheClearButtonOnlyWhenThereIsAKey) {
    Focus(form->BlackHotKey);
    Press(Qt::Key_F7);
    Press(Qt::Key_Tab);
    EXPECT_TRUE(form->BlackClearButton->hasFocus());
    Press(Qt::Key_Tab);
    EXPECT_TRUE(form->TimerCheckBox->hasFocus());
}

} // namespace
} // namespace kvarzel::testing
