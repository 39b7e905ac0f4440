// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/layout_virtual_keys.h"

#include "platform/keys/key_positions.h"
#include "platform/keys/us_key_characters.h"

#include <string_view>
#include <xkbcommon/xkbcommon.h>

namespace kvarzel {
namespace {

bool IsLatinLetter(char32_t character) {
    return (character >= U'a' && character <= U'z') || (character >= U'A' && character <= U'Z');
}

bool IsDigit(char32_t character) {
    return character >= U'0' && character <= U'9';
}

// Punctuation that has a key of its own on a US keyboard.
bool IsUnshiftedUsPunctuation(char32_t character) {
    static constexpr std::string_view punctuation = "`-=[]\\;',./";
    return character < 0x80 &&
           punctuation.find(static_cast<char>(character)) != std::string_view::npos;
}

std::uint16_t KeyByCharacters(const KeyCharacters& key) {
    for (const char32_t character : {key.Unshifted, key.Shifted})
        if (IsLatinLetter(character))
            return UsCharacterKey(static_cast<char>(character));
    for (const char32_t character : {key.Unshifted, key.Shifted})
        if (IsDigit(character))
            return static_cast<std::uint16_t>(character);
    if (IsUnshiftedUsPunctuation(key.Unshifted))
        return UsCharacterKey(static_cast<char>(key.Unshifted));
    return 0;
}

bool TypesLatinLetters(const std::map<std::uint32_t, KeyCharacters>& keys) {
    for (const auto& [keycode, characters] : keys)
        if (IsLatinLetter(characters.Unshifted))
            return true;
    return false;
}

bool IsMainBlockKey(std::uint32_t keycode) {
    return keycode < 256 && VirtualKeyFromXkbKeycode(keycode) != 0;
}

// The key's US position, or, where a moved key took that code, the position
// that key left free (following such moves as far as they go).
std::uint16_t PositionCode(std::uint32_t keycode,
                           const std::map<std::uint16_t, std::uint32_t>& claimedBy) {
    std::uint16_t code = VirtualKeyFromXkbKeycode(keycode);
    for (std::size_t step = 0; step <= claimedBy.size(); ++step) {
        const auto claim = claimedBy.find(code);
        if (claim == claimedBy.end() || claim->second == keycode)
            return code;
        code = VirtualKeyFromXkbKeycode(claim->second);
    }
    return VirtualKeyFromXkbKeycode(keycode);
}

char32_t CharacterAtLevel(xkb_keymap& keymap, xkb_keycode_t keycode, xkb_layout_index_t layout,
                          xkb_level_index_t level) {
    const xkb_keysym_t* symbols = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(&keymap, keycode, layout, level, &symbols);
    return count == 1 ? xkb_keysym_to_utf32(symbols[0]) : 0;
}

} // namespace

LayoutVirtualKeys
LayoutVirtualKeys::FromCharacters(const std::map<std::uint32_t, KeyCharacters>& keys) {
    LayoutVirtualKeys layout;
    std::map<std::uint16_t, std::uint32_t> claimedBy;
    if (TypesLatinLetters(keys)) {
        for (const auto& [keycode, characters] : keys) {
            const std::uint16_t code = IsMainBlockKey(keycode) ? KeyByCharacters(characters) : 0;
            if (code != 0 && claimedBy.emplace(code, keycode).second)
                layout.keys_[keycode] = code;
        }
    }
    for (const auto& [keycode, characters] : keys)
        if (IsMainBlockKey(keycode) && layout.keys_[keycode] == 0)
            layout.keys_[keycode] = PositionCode(keycode, claimedBy);
    return layout;
}

LayoutVirtualKeys LayoutVirtualKeys::FromKeymap(xkb_keymap& keymap, std::uint32_t layout) {
    std::map<std::uint32_t, KeyCharacters> keys;
    for (xkb_keycode_t keycode = xkb_keymap_min_keycode(&keymap);
         keycode <= xkb_keymap_max_keycode(&keymap) && keycode < 256; ++keycode) {
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(&keymap, keycode);
        if (layouts == 0)
            continue;
        const xkb_layout_index_t keyLayout = layout % layouts;
        keys[keycode] = {CharacterAtLevel(keymap, keycode, keyLayout, 0),
                         CharacterAtLevel(keymap, keycode, keyLayout, 1)};
    }
    return FromCharacters(keys);
}

std::uint16_t LayoutVirtualKeys::Key(std::uint32_t xkbKeycode) const {
    return xkbKeycode < keys_.size() ? keys_[xkbKeycode] : 0;
}

} // namespace kvarzel
