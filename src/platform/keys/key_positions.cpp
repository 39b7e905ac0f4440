// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/key_positions.h"

#include "platform/keys/key_codes.h"
#include "platform/keys/us_key_characters.h"

#include <array>
#include <string_view>
#include <utility>

namespace kvarzel {

std::uint16_t VirtualKeyFromXkbKeycode(std::uint32_t xkbKeycode) {
    // The main block of a US keyboard by evdev code, which is the XKB
    // keycode less 8; each entry lists the characters of a run of keys.
    static constexpr std::array<std::pair<std::uint32_t, const char*>, 4> rows{{
        {2, "1234567890-="},
        {16, "QWERTYUIOP[]"},
        {30, "ASDFGHJKL;'`"},
        {43, "\\ZXCVBNM,./"},
    }};
    if (xkbKeycode == 86 + 8)
        return VK_OEM_102;
    if (xkbKeycode < 8)
        return 0;
    const std::uint32_t evdev = xkbKeycode - 8;
    for (const auto& [first, characters] : rows) {
        const std::string_view run(characters);
        if (evdev >= first && evdev < first + run.size())
            return UsCharacterKey(run[evdev - first]);
    }
    return 0;
}

} // namespace kvarzel
