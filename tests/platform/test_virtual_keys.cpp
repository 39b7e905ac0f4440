// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/key_codes.h"
#include "platform/keys/key_positions.h"
#include "platform/keys/virtual_keys.h"
#include "test_support/test_application.h"

#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace kvarzel {
namespace {

std::uint16_t KeyOf(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    std::uint32_t xkbKeycode = 0) {
    return VirtualKeyFromKey(qtKey, modifiers, xkbKeycode).Key;
}

// XKB keycodes of a PC keyboard: evdev code + 8.
constexpr std::uint32_t xkbCommaKey = 51 + 8;
constexpr std::uint32_t xkbXKey = 45 + 8;
constexpr std::uint32_t xkbWKey = 17 + 8;
constexpr std::uint32_t xkbAKey = 30 + 8;
constexpr std::uint32_t xkbOneKey = 2 + 8;

TEST(VirtualKeys, KeysWithoutCharactersHaveFixedCodes) {
    EXPECT_EQ(KeyOf(Qt::Key_Return), VK_RETURN);
    EXPECT_EQ(KeyOf(Qt::Key_Enter), VK_RETURN);
    EXPECT_EQ(KeyOf(Qt::Key_Escape), VK_ESCAPE);
    EXPECT_EQ(KeyOf(Qt::Key_F1), 112);
    EXPECT_EQ(KeyOf(Qt::Key_F4), 115);
    EXPECT_EQ(KeyOf(Qt::Key_F12), 123);
    EXPECT_EQ(KeyOf(Qt::Key_F24), 135);
    EXPECT_EQ(KeyOf(Qt::Key_PageUp), 33);
    EXPECT_EQ(KeyOf(Qt::Key_PageDown), 34);
    EXPECT_EQ(KeyOf(Qt::Key_Left), 37);
    EXPECT_EQ(KeyOf(Qt::Key_Down), 40);
    EXPECT_EQ(KeyOf(Qt::Key_Space), 32);
    EXPECT_EQ(KeyOf(Qt::Key_Backspace), 8);
    EXPECT_EQ(KeyOf(Qt::Key_Backtab, Qt::ShiftModifier), VK_TAB);
    EXPECT_EQ(KeyOf(Qt::Key_Delete), 46);
    EXPECT_EQ(KeyOf(Qt::Key_Shift, Qt::ShiftModifier), VK_SHIFT);
}

TEST(VirtualKeys, NumberPadKeysHaveTheirOwnCodes) {
    EXPECT_EQ(KeyOf(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(KeyOf(Qt::Key_Asterisk, Qt::KeypadModifier), VK_MULTIPLY);
    EXPECT_EQ(KeyOf(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    EXPECT_EQ(KeyOf(Qt::Key_Home, Qt::KeypadModifier), VK_HOME);
}

TEST(VirtualKeys, LatinLettersAndDigitsAreTheirUpperCaseCodes) {
    EXPECT_EQ(KeyOf(Qt::Key_W), 87);
    EXPECT_EQ(KeyOf(Qt::Key_B, Qt::ShiftModifier), 66);
    EXPECT_EQ(KeyOf(Qt::Key_X, Qt::ControlModifier), 88);
    EXPECT_EQ(KeyOf(Qt::Key_7), '7');
}

TEST(VirtualKeys, ShiftedCharactersGiveTheKeyThatTypesThem) {
    EXPECT_EQ(KeyOf(Qt::Key_Less, Qt::ShiftModifier), VK_OEM_COMMA);
    EXPECT_EQ(KeyOf(Qt::Key_Comma), VK_OEM_COMMA);
    EXPECT_EQ(KeyOf(Qt::Key_Exclam, Qt::ShiftModifier), '1');
    EXPECT_EQ(KeyOf(Qt::Key_ParenRight, Qt::ShiftModifier), '0');
    EXPECT_EQ(KeyOf(Qt::Key_QuoteDbl, Qt::ShiftModifier), VK_OEM_7);
    EXPECT_EQ(KeyOf(Qt::Key_Backslash), VK_OEM_5);
}

TEST(VirtualKeys, RussianLettersWithoutScanCodeGoByTheirPlace) {
    EXPECT_EQ(KeyOf(u'Б'), VK_OEM_COMMA);
    EXPECT_EQ(KeyOf(u'Ч'), VK_X);
    EXPECT_EQ(KeyOf(u'Ц'), VK_W);
    EXPECT_EQ(KeyOf(u'Й'), VK_Q);
    EXPECT_EQ(KeyOf(u'Ю'), VK_OEM_PERIOD);
    EXPECT_EQ(KeyOf(u'Ё'), VK_OEM_3);
    EXPECT_EQ(KeyOf(u'Ж'), VK_OEM_1);
}

TEST(VirtualKeys, ScanCodeGivesThePhysicalKeyOnNonLatinLayouts) {
    EXPECT_EQ(KeyOf(u'Б', Qt::NoModifier, xkbCommaKey), 188);
    EXPECT_EQ(KeyOf(u'Ч', Qt::NoModifier, xkbXKey), 88);
    EXPECT_EQ(KeyOf(u'Ц', Qt::NoModifier, xkbWKey), 87);
    // A letter of any other script, too.
    EXPECT_EQ(KeyOf(0x3B1 /* α */, Qt::NoModifier, xkbAKey), VK_A);
    // Shifted digits of the Russian layout: Shift+1 types "!", Shift+2 '"'.
    EXPECT_EQ(KeyOf(Qt::Key_QuoteDbl, Qt::ShiftModifier, 3 + 8), '2');
    EXPECT_EQ(KeyOf(Qt::Key_Period, Qt::NoModifier, 53 + 8), VK_OEM_2);
}

TEST(VirtualKeys, LatinLayoutKeepsItsOwnLetters) {
    // On AZERTY the key in the place of US A types Q, and Windows says Q.
    EXPECT_EQ(KeyOf(Qt::Key_Q, Qt::NoModifier, xkbAKey), VK_Q);
}

TEST(VirtualKeys, KeycodeTableCoversTheMainBlockOnly) {
    EXPECT_EQ(VirtualKeyFromXkbKeycode(xkbOneKey), '1');
    EXPECT_EQ(VirtualKeyFromXkbKeycode(11 + 8), '0');
    EXPECT_EQ(VirtualKeyFromXkbKeycode(12 + 8), VK_OEM_MINUS);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(27 + 8), VK_OEM_6);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(41 + 8), VK_OEM_3);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(43 + 8), VK_OEM_5);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(50 + 8), VK_M);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(86 + 8), VK_OEM_102);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(0), 0);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(5), 0);
    EXPECT_EQ(VirtualKeyFromXkbKeycode(1 + 8), 0);  // Esc
    EXPECT_EQ(VirtualKeyFromXkbKeycode(28 + 8), 0); // Enter
    EXPECT_EQ(VirtualKeyFromXkbKeycode(54 + 8), 0); // right Shift
}

TEST(VirtualKeys, UnknownKeysHaveNoCode) {
    EXPECT_EQ(KeyOf(Qt::Key_unknown), 0);
    EXPECT_EQ(KeyOf(0x3B1 /* α */), 0);
}

TEST(VirtualKeys, ModifiersBecomeTheShiftState) {
    const auto press =
        VirtualKeyFromKey(Qt::Key_F5, Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier, 0);
    EXPECT_EQ(press.Key, VK_F5);
    EXPECT_EQ(press.Shift, (ShiftState{.Shift = true, .Ctrl = false, .Alt = true}));
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_W, Qt::ControlModifier, 0).Shift,
              (ShiftState{.Shift = false, .Ctrl = true, .Alt = false}));
}

class KeyRecorder : public QWidget {
public:
    std::vector<VirtualKeyPress> Presses;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        Presses.push_back(VirtualKeyFromEvent(*event));
    }
};

TEST(VirtualKeys, KeyEventsOfAWindowAreMapped) {
    testing::TestApplication();
    KeyRecorder recorder;
    recorder.show();
    QTest::keyClick(&recorder, Qt::Key_W, Qt::ShiftModifier);
    QTest::keyClick(&recorder, Qt::Key_F1);
    QKeyEvent russianBe(QEvent::KeyPress, u'Б', Qt::ControlModifier, QStringLiteral("б"));
    QApplication::sendEvent(&recorder, &russianBe);
    // Qt Test presses Shift itself before the W.
    ASSERT_EQ(recorder.Presses.size(), 4u);
    EXPECT_EQ(recorder.Presses[0].Key, VK_SHIFT);
    EXPECT_EQ(recorder.Presses[1].Key, VK_W);
    EXPECT_TRUE(recorder.Presses[1].Shift.Shift);
    EXPECT_EQ(recorder.Presses[2].Key, VK_F1);
    EXPECT_FALSE(recorder.Presses[2].Shift.Shift);
    EXPECT_EQ(recorder.Presses[3].Key, VK_OEM_COMMA);
    EXPECT_TRUE(recorder.Presses[3].Shift.Ctrl);
}

} // namespace
} // namespace kvarzel
