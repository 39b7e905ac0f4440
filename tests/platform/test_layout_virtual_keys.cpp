// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/key_codes.h"
#include "platform/keys/key_positions.h"
#include "platform/keys/layout_virtual_keys.h"
#include "platform/keys/virtual_keys.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <xkbcommon/xkbcommon.h>

namespace kvarzel {
namespace {

// XKB keycodes (evdev code + 8) of a PC keyboard, named by the US key.
constexpr std::uint32_t usOne = 2 + 8;
constexpr std::uint32_t usMinus = 12 + 8;
constexpr std::uint32_t usQ = 16 + 8;
constexpr std::uint32_t usW = 17 + 8;
constexpr std::uint32_t usY = 21 + 8;
constexpr std::uint32_t usA = 30 + 8;
constexpr std::uint32_t usSemicolon = 39 + 8;
constexpr std::uint32_t usZ = 44 + 8;
constexpr std::uint32_t usX = 45 + 8;
constexpr std::uint32_t usB = 48 + 8;
constexpr std::uint32_t usM = 50 + 8;
constexpr std::uint32_t usComma = 51 + 8;
constexpr std::uint32_t usPeriod = 52 + 8;
constexpr std::uint32_t usSlash = 53 + 8;
constexpr std::uint32_t lessGreater = 86 + 8;

// A layout compiled from the system's XKB data, as a desktop sets it up.
LayoutVirtualKeys Layout(const char* name) {
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES), xkb_context_unref);
    const xkb_rule_names names{"evdev", "pc105", name, "", ""};
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS),
        xkb_keymap_unref);
    if (!keymap) {
        ADD_FAILURE() << "no keymap for " << name;
        return {};
    }
    return LayoutVirtualKeys::FromKeymap(*keymap, 0);
}

TEST(LayoutVirtualKeys, AUsKeyboardKeepsEveryKeyAtItsPlace) {
    const LayoutVirtualKeys us = Layout("us");
    for (std::uint32_t keycode = 0; keycode < 256; ++keycode)
        EXPECT_EQ(us.Key(keycode), VirtualKeyFromXkbKeycode(keycode)) << keycode;
}

TEST(LayoutVirtualKeys, OnAzertyTheCommaKeyIsTheCommaKeyWhereverItSits) {
    const LayoutVirtualKeys fr = Layout("fr");
    EXPECT_EQ(fr.Key(usM), VK_OEM_COMMA);
    EXPECT_EQ(fr.Key(usComma), VK_OEM_1) << "types ;";
    EXPECT_EQ(fr.Key(usSemicolon), VK_M);
    EXPECT_EQ(fr.Key(usA), VK_Q);
    EXPECT_EQ(fr.Key(usQ), VK_A);
    EXPECT_EQ(fr.Key(usZ), VK_W);
    EXPECT_EQ(fr.Key(usW), VK_Z);
    EXPECT_EQ(fr.Key(usX), VK_X);
    EXPECT_EQ(fr.Key(usB), VK_B);
    // The top row types digits with Shift: & é " ' ( over 1 2 3 4 5.
    for (std::uint32_t digit = 0; digit < 10; ++digit)
        EXPECT_EQ(fr.Key(usOne + digit), digit == 9 ? VK_0 : VK_1 + digit) << digit;
    EXPECT_EQ(fr.Key(lessGreater), VK_OEM_102) << "types < but is no comma key";
}

TEST(LayoutVirtualKeys, OnQwertzYAndZSwapAndTheMinusKeyMoves) {
    const LayoutVirtualKeys de = Layout("de");
    EXPECT_EQ(de.Key(usY), VK_Z);
    EXPECT_EQ(de.Key(usZ), VK_Y);
    EXPECT_EQ(de.Key(usComma), VK_OEM_COMMA);
    EXPECT_EQ(de.Key(usPeriod), VK_OEM_PERIOD);
    EXPECT_EQ(de.Key(usSlash), VK_OEM_MINUS);
    EXPECT_EQ(de.Key(usMinus), VK_OEM_2) << "ß takes the place the minus key left";
    EXPECT_EQ(de.Key(lessGreater), VK_OEM_102);
}

TEST(LayoutVirtualKeys, ACyrillicLayoutGoesByPlace) {
    const LayoutVirtualKeys ru = Layout("ru");
    for (std::uint32_t keycode = 0; keycode < 256; ++keycode)
        EXPECT_EQ(ru.Key(keycode), VirtualKeyFromXkbKeycode(keycode)) << keycode;
    EXPECT_EQ(ru.Key(usComma), VK_OEM_COMMA) << "Б";
    EXPECT_EQ(ru.Key(usX), VK_X) << "Ч";
    EXPECT_EQ(ru.Key(usSlash), VK_OEM_2) << "types . but goes by place";
}

TEST(LayoutVirtualKeys, NoTwoKeysOfALayoutShareACode) {
    for (const char* name : {"us", "fr", "de", "ru", "gb", "es", "it", "ch", "be"}) {
        const LayoutVirtualKeys layout = Layout(name);
        std::map<std::uint16_t, std::uint32_t> owner;
        for (std::uint32_t keycode = 0; keycode < 256; ++keycode) {
            const std::uint16_t code = layout.Key(keycode);
            if (code == 0)
                continue;
            const auto [place, unique] = owner.emplace(code, keycode);
            EXPECT_TRUE(unique) << name << ": keys " << place->second << " and " << keycode
                                << " are both " << code;
        }
    }
}

TEST(LayoutVirtualKeys, AKeyEventOnAzertyAnswersByWhatTheKeyTypes) {
    const LayoutVirtualKeys fr = Layout("fr");
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Comma, {}, usM, &fr).Key, VK_OEM_COMMA);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Question, Qt::ShiftModifier, usM, &fr).Key, VK_OEM_COMMA);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Semicolon, {}, usComma, &fr).Key, VK_OEM_1);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_M, {}, usSemicolon, &fr).Key, VK_M);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Ampersand, {}, usOne, &fr).Key, VK_1);
    // Without the layout the key goes by its place, as before.
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Comma, {}, usM).Key, VK_M);
}

} // namespace
} // namespace kvarzel
