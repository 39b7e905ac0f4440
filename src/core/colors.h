// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// A colour as 0x00BBGGRR, plus two markers that are not colours.
using TColor = std::uint32_t;

constexpr TColor clDefault = 0x20000000; // use the owner's colour
constexpr TColor clNone = 0x1FFFFFFF;    // a null chart point

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;

constexpr std::uint8_t GetRValue(TColor color) {
    return color & 0xFF;
}
constexpr std::uint8_t GetGValue(TColor color) {
    return (color >> 8) & 0xFF;
}
constexpr std::uint8_t GetBValue(TColor color) {
    return (color >> 16) & 0xFF;
}
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return r | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

} // namespace kvarzel
