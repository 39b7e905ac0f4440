// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// The virtual key that types a character on a US keyboard, shifted or not
// ('<' is the comma key, '!' the 1 key); 0 for other characters.
std::uint16_t UsCharacterKey(char character);

// The virtual key under a character of the standard Russian layout, by its
// place on the keyboard (Б is the comma key); 0 for other characters.
// Letters come as Qt reports them: the upper-case code point.
std::uint16_t RussianCharacterKey(int qtKey);

} // namespace kvarzel
