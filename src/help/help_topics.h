// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace kvarzel {

// Topic pages of the help file by context number; the windows and controls
// carry these numbers as their help context.
inline constexpr std::array<std::string_view, 6> HelpTopics{
    "UserIface", "MainMenu", "Training", "ResultsTab", "OptsForm", "AboutApp",
};

inline constexpr bool IsHelpContext(int context) {
    return context >= 0 && context < static_cast<int>(HelpTopics.size());
}

} // namespace kvarzel
