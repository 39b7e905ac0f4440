// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// A hot key as one 16-bit value: the virtual-key code in the low bits and
// one bit per modifier. 0 means no key.
using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scKeyMask = 0x1FFF;

struct ShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool operator==(const ShiftState&) const = default;
};

struct DecodedShortCut {
    std::uint16_t Key = 0;
    ShiftState Shift;
    bool operator==(const DecodedShortCut&) const = default;
};

constexpr TShortCut ShortCut(std::uint16_t key, ShiftState shift) {
    TShortCut value = key & scKeyMask;
    if (shift.Shift)
        value |= scShift;
    if (shift.Ctrl)
        value |= scCtrl;
    if (shift.Alt)
        value |= scAlt;
    return value;
}

constexpr DecodedShortCut ShortCutToKey(TShortCut value) {
    return {static_cast<std::uint16_t>(value & scKeyMask),
            {(value & scShift) != 0, (value & scCtrl) != 0, (value & scAlt) != 0}};
}

} // namespace kvarzel
