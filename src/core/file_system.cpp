// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_system.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kvarzel {
namespace {

std::filesystem::file_status StatusOf(const std::string& path) {
    // A name with a zero byte in it would be cut short by the system and
    // name another file.
    if (path.find('\0') != std::string::npos)
        return {};
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return error ? std::filesystem::file_status{} : status;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool FileExists(const std::string& path) {
    const auto status = StatusOf(path);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool PlainFileExists(const std::string& path) {
    return std::filesystem::is_regular_file(StatusOf(path));
}

std::string FileExtension(const std::string& name) {
    const auto dot = name.find_last_of(".\\/:");
    if (dot == std::string::npos || name[dot] != '.')
        return {};
    return name.substr(dot);
}

// Lower-casing by any rule leaves no other character as 'w', 'a' or 'v', so
// the ASCII rule decides as the locale's would.
bool HasWaveExtension(const std::string& name) {
    std::string extension = FileExtension(name);
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
    return extension == ".wav";
}

} // namespace kvarzel
