// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/key_codes.h"
#include "platform/keys/shortcut_text.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

constexpr ShiftState none{};
constexpr ShiftState shift{.Shift = true};
constexpr ShiftState ctrl{.Ctrl = true};
constexpr ShiftState alt{.Alt = true};
constexpr ShiftState ctrlShift{.Shift = true, .Ctrl = true};
constexpr ShiftState all{.Shift = true, .Ctrl = true, .Alt = true};

TEST(ShortCutText, ReadsLikeAMenuShortcut) {
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F5, ctrlShift)), "Ctrl+Shift+F5");
    EXPECT_EQ(ShortCutToText(16462), "Ctrl+N");
    EXPECT_EQ(ShortCutToText(32883), "Alt+F4");
    EXPECT_EQ(ShortCutToText(112), "F1");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_OEM_COMMA, none)), ",");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_NUMPAD0 + 3, alt)), "Alt+Num 3");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_RETURN, all)), "Ctrl+Alt+Shift+Enter");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_W, shift)), "Shift+W");
}

TEST(ShortCutText, KeysWithoutAPrintedNameReadInRussian) {
    EXPECT_EQ(ShortCutToText(ShortCut(VK_SPACE, ctrl)), "Ctrl+Пробел");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DOWN, alt)), "Alt+↓");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_APPS, none)), "Меню");
    EXPECT_EQ(TextToShortCut("shift+пробел"), ShortCut(VK_SPACE, shift));
}

TEST(ShortCutText, NoKeyIsEmpty) {
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCutText, EveryValueSurvivesTheWayToTextAndBack) {
    for (const ShiftState modifiers : {none, shift, ctrl, alt, ctrlShift, all}) {
        for (std::uint16_t key = 0; key <= 255; ++key) {
            const TShortCut value = ShortCut(key, modifiers);
            if (value == 0)
                continue;
            EXPECT_EQ(TextToShortCut(ShortCutToText(value)), value)
                << ShortCutToText(value).toStdString();
        }
    }
    EXPECT_EQ(TextToShortCut(ShortCutToText(ShortCut(0x1ABC, ctrl))), ShortCut(0x1ABC, ctrl));
}

TEST(ShortCutText, ReadsTextTypedByHand) {
    EXPECT_EQ(TextToShortCut("ctrl + shift + f5"), ShortCut(VK_F5, ctrlShift));
    EXPECT_EQ(TextToShortCut("Shift+Ctrl+F5"), ShortCut(VK_F5, ctrlShift));
    EXPECT_EQ(TextToShortCut(" Alt+x "), ShortCut(VK_X, alt));
    EXPECT_EQ(TextToShortCut("Ctrl+Num +"), ShortCut(VK_ADD, ctrl));
    EXPECT_EQ(TextToShortCut("Ctrl+Shift"), ShortCut(VK_SHIFT, ctrl));
}

TEST(ShortCutText, TextThatNamesNoKeyIsZero) {
    EXPECT_EQ(TextToShortCut(""), 0);
    EXPECT_EQ(TextToShortCut("   "), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+Banana"), 0);
    EXPECT_EQ(TextToShortCut("F25"), 0);
    EXPECT_EQ(TextToShortCut("#0"), 0);
    EXPECT_EQ(TextToShortCut("#99999"), 0);
    EXPECT_EQ(TextToShortCut("Б"), 0);
}

} // namespace
} // namespace kvarzel
