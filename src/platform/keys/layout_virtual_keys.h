// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <map>

struct xkb_keymap;

namespace kvarzel {

// What a key types in a layout without and with Shift, as Unicode code
// points; 0 where it types no character (dead keys, nothing).
struct KeyCharacters {
    char32_t Unshifted = 0;
    char32_t Shifted = 0;
};

// The virtual-key codes of the main block of keys in one keyboard layout,
// by XKB keycode, as a layout on Windows gives them.
//
// On a layout that types Latin letters a key is known by what it types: a
// letter or a digit at either level, else the punctuation a US keyboard
// types without Shift, so the comma key is the comma key wherever it sits
// (AZERTY's is under M on a US keyboard). A key that types none of these
// takes its US position, unless a moved key has claimed that code; then it
// takes the code of the claimer's position, so no two keys share a code.
// On a layout that types no Latin letters (Russian, Greek ...) every key is
// known by its position: the key carrying Б is the comma key.
class LayoutVirtualKeys {
public:
    static LayoutVirtualKeys FromCharacters(const std::map<std::uint32_t, KeyCharacters>& keys);
    static LayoutVirtualKeys FromKeymap(xkb_keymap& keymap, std::uint32_t layout);

    // 0 for keys outside the main block.
    std::uint16_t Key(std::uint32_t xkbKeycode) const;

private:
    std::array<std::uint16_t, 256> keys_{};
};

} // namespace kvarzel
