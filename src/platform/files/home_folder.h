// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace kvarzel {

// The variable's value, empty when it is unset.
std::string EnvironmentText(const char* variable);

// $HOME, or the user's home from the password database when it is unset;
// empty when neither is an absolute path.
std::filesystem::path HomeFolder();

// A base folder of the XDG rules: the variable's value when it is an absolute
// path (a relative one is invalid and ignored), else `fallback` in the home
// folder, as ("XDG_CONFIG_HOME", ".config"); empty when there is no home.
std::filesystem::path XdgBaseFolder(const char* variable, const std::filesystem::path& fallback);

} // namespace kvarzel
