// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// The key at a physical place of the keyboard, for letters, digits and the
// OEM keys; 0 for every other keycode.
std::uint16_t VirtualKeyFromXkbKeycode(std::uint32_t xkbKeycode);

} // namespace kvarzel
