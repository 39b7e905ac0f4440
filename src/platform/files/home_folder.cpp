// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/home_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace kvarzel {

std::string EnvironmentText(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? value : "";
}

// Only an absolute path is a home: a relative one would put the user's files
// into whatever folder the program was started in.
std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        return home;
    if (const passwd* user = ::getpwuid(::getuid());
        user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/')
        return user->pw_dir;
    return {};
}

std::filesystem::path XdgBaseFolder(const char* variable, const std::filesystem::path& fallback) {
    if (const char* folder = std::getenv(variable); folder != nullptr && *folder == '/')
        return folder;
    const std::filesystem::path home = HomeFolder();
    return home.empty() ? home : home / fallback;
}

} // namespace kvarzel
