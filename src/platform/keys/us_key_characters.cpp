// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/us_key_characters.h"

#include "platform/keys/key_codes.h"

#include <string_view>

namespace kvarzel {
namespace {

struct OemKey {
    std::string_view Characters; // unshifted, shifted
    std::uint16_t Key;
};

constexpr OemKey oemKeys[] = {
    {";:", VK_OEM_1},      {"=+", VK_OEM_PLUS}, {",<", VK_OEM_COMMA}, {"-_", VK_OEM_MINUS},
    {".>", VK_OEM_PERIOD}, {"/?", VK_OEM_2},    {"`~", VK_OEM_3},     {"[{", VK_OEM_4},
    {"\\|", VK_OEM_5},     {"]}", VK_OEM_6},    {"'\"", VK_OEM_7},
};

// Shift with a digit key types these, from 0 to 9.
constexpr std::string_view shiftedDigits = ")!@#$%^&*(";

} // namespace

std::uint16_t UsCharacterKey(char character) {
    if (character >= 'a' && character <= 'z')
        return static_cast<std::uint16_t>(character - 'a' + 'A');
    if ((character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9'))
        return static_cast<std::uint16_t>(character);
    if (character == ' ')
        return VK_SPACE;
    if (const auto digit = shiftedDigits.find(character); digit != std::string_view::npos)
        return static_cast<std::uint16_t>('0' + digit);
    for (const OemKey& oem : oemKeys)
        if (oem.Characters.find(character) != std::string_view::npos)
            return oem.Key;
    return 0;
}

std::uint16_t RussianCharacterKey(int qtKey) {
    // ЙЦУКЕН over QWERTY, key by key.
    static constexpr std::u16string_view russian = u"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";
    static constexpr std::string_view us = "QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,.`";
    static_assert(russian.size() == us.size());
    if (qtKey <= 0 || qtKey > 0xFFFF)
        return 0;
    const auto place = russian.find(static_cast<char16_t>(qtKey));
    if (place == std::u16string_view::npos)
        return 0;
    return UsCharacterKey(us[place]);
}

} // namespace kvarzel
