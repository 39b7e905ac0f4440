// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kvarzel {

// UTF-16 little-endian bytes as UTF-8; unpaired surrogates and a dangling odd
// byte become U+FFFD, so damaged input still converts.
std::string Utf16LeToUtf8(std::string_view bytes);

} // namespace kvarzel
