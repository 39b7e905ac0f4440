// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// Pixel positions: to the nearest integer, ties to the even neighbour.
std::int64_t Nearest(long double x);

// a * b / c on a 64-bit product, rounded to the nearest integer with halves away from zero;
// 0 when c is 0.
std::int64_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// A margin of `percent` of `size` pixels, halves away from zero.
int ScalePercent(int percent, int size);

} // namespace kvarzel
