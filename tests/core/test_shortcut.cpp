// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shortcut.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

constexpr std::uint16_t VkN = 0x4E;

TEST(ShortCut, ModifiersAddTheirBitsToTheKey) {
    EXPECT_EQ(ShortCut(VkN, {}), 0x004E);
    EXPECT_EQ(ShortCut(VkN, {.Shift = true}), 0x204E);
    EXPECT_EQ(ShortCut(VkN, {.Ctrl = true}), 0x404E);
    EXPECT_EQ(ShortCut(VkN, {.Alt = true}), 0x804E);
    EXPECT_EQ(ShortCut(VkN, {true, true, true}), 0xE04E);
    EXPECT_EQ(ShortCut(0, {}), 0);
}

TEST(ShortCut, DecodingMasksTheKeyAndReadsTheTopBits) {
    EXPECT_EQ(ShortCutToKey(0x404E), (DecodedShortCut{VkN, {.Ctrl = true}}));
    EXPECT_EQ(ShortCutToKey(0xA070), (DecodedShortCut{0x70, {.Shift = true, .Alt = true}}));
    EXPECT_EQ(ShortCutToKey(0), (DecodedShortCut{0, {}}));
    // Every bit below the modifiers belongs to the key.
    EXPECT_EQ(ShortCutToKey(0xFFFF), (DecodedShortCut{0x1FFF, {true, true, true}}));
}

TEST(ShortCut, EveryValueSurvivesDecodingAndEncoding) {
    for (std::uint32_t value = 0; value <= 0xFFFF; ++value) {
        const DecodedShortCut decoded = ShortCutToKey(static_cast<TShortCut>(value));
        ASSERT_EQ(ShortCut(decoded.Key, decoded.Shift), value);
    }
}

} // namespace
} // namespace kvarzel
