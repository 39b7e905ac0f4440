// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/replaceable_file.h"

#include "platform/files/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kvarzel {

namespace {

// Write protection is the user's word, also for root, who could write anyway.
bool IsWriteProtected(const std::filesystem::path& file, const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(file.c_str(), W_OK) != 0;
}

} // namespace

std::optional<std::filesystem::path> ReplaceableFile(const std::filesystem::path& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0)
        return file; // nothing there yet: the save creates it
    if (S_ISLNK(info.st_mode)) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::canonical(file, error);
        if (error || ::stat(target.c_str(), &info) != 0 || !IsUsersRegularFile(info) ||
            IsWriteProtected(target, info))
            return std::nullopt;
        return target;
    }
    // Anything else that is not a regular file (a folder, a pipe) makes the
    // replace itself fail. Another user's file would become ours: root,
    // started with a user's home, would leave that user a file they cannot
    // read.
    if (S_ISREG(info.st_mode) && (!IsUsersRegularFile(info) || IsWriteProtected(file, info)))
        return std::nullopt;
    return file;
}

} // namespace kvarzel
