// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/home_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace kvarzel {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
        return user->pw_dir;
    return {};
}

std::filesystem::path XdgBaseFolder(const char* variable, const std::filesystem::path& fallback) {
    if (const char* folder = std::getenv(variable); folder != nullptr && *folder == '/')
        return folder;
    return HomeFolder() / fallback;
}

} // namespace kvarzel
