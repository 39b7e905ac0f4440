// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/atomic_file.h"

#include "platform/files/file_descriptor.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kvarzel {

namespace {

// Goes on after short writes: `write` writes from the start of the bytes it
// is given and returns what write(2) does.
template <typename Write> bool WriteEach(std::string_view bytes, Write write) {
    while (!bytes.empty()) {
        const ssize_t written = write(bytes);
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool WriteAll(int fd, std::string_view bytes) {
    return WriteEach(bytes, [fd](std::string_view rest) {
        return ::write(fd, rest.data(), rest.size());
    });
}

bool WriteAllAt(int fd, std::string_view bytes, off_t& offset) {
    return WriteEach(bytes, [fd, &offset](std::string_view rest) {
        const ssize_t written = ::pwrite(fd, rest.data(), rest.size(), offset);
        offset += written > 0 ? written : 0;
        return written;
    });
}

namespace {

// Stops at maxSize too, for a file that grows while it is read.
bool ReadAll(int fd, std::string& bytes, std::size_t maxSize) {
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            return true;
        bytes.append(buffer, static_cast<std::size_t>(count));
        if (bytes.size() > maxSize)
            return false;
    }
}

bool WriteTemporary(int fd, std::string_view bytes) {
    return WriteAll(fd, bytes) && ::fsync(fd) == 0;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing.
void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

// Temporary files are named ".<name>.XXXXXX", as mkostemp fills the X's,
// with the name cut short: a file name may take all of the folder's limit
// (NAME_MAX), which leaves no room for more.
std::string TemporaryPrefix(const std::filesystem::path& path) {
    constexpr std::size_t longestKept = 32;
    return "." + path.filename().string().substr(0, longestKept) + ".";
}

// The replaced file keeps its permissions (a file the user made readable by
// others stays so); a new one is private. Special bits are not carried over.
void KeepPermissions(int fd, const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(fd, info.st_mode & 0777);
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
    constexpr std::size_t uniqueLength = 6;
    if (name.size() != prefix.size() + uniqueLength || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// A temporary file is locked for as long as it is being written. One that
// can be locked was left by a save that never finished (the program was
// killed, the machine lost power); only our own regular files are touched.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, const std::string& prefix) {
    // Stepped with an error code: a folder that fails to list mid-way must
    // not throw out of a save.
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::filesystem::path& candidate = entry->path();
        if (!IsTemporaryName(candidate.filename().string(), prefix))
            continue;
        FileDescriptor fd(
            ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (fd.Get() >= 0 && ::fstat(fd.Get(), &info) == 0 && IsUsersRegularFile(info) &&
            ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(candidate.c_str());
    }
}

TemporaryFileHook& TemporaryCreatedHook() {
    static TemporaryFileHook hook;
    return hook;
}

} // namespace

bool NameLeadsTo(const std::filesystem::path& path, int fd) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool IsUsersRegularFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

void SetTemporaryCreatedHookForTesting(TemporaryFileHook hook) {
    TemporaryCreatedHook() = std::move(hook);
}

// Creates the temporary file and locks it. Between the two, another copy's
// clean-up can take the still unlocked file for a stale one and remove it,
// and the rename would then fail: the file is ours only once the lock holds
// and the name still leads to it. A clean-up holding the lock removes the
// file itself; a file system without locks leaves the name check alone.
int CreateLockedTemporary(const std::filesystem::path& folder, const std::string& prefix,
                          std::string& temporary) {
    constexpr int attempts = 64;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        temporary = (folder / (prefix + "XXXXXX")).string();
        FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
        if (fd.Get() < 0)
            return -1;
        if (TemporaryCreatedHook())
            TemporaryCreatedHook()(temporary);
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            // A clean-up holds it, and may leave it (one that spares new files).
            if (NameLeadsTo(temporary, fd.Get()))
                ::unlink(temporary.c_str());
            continue;
        }
        if (NameLeadsTo(temporary, fd.Get()))
            return fd.Release();
    }
    return -1;
}

FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
    // Non-blocking, so that a pipe put in the file's place cannot hang the program.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                    : FileReadStatus::Failed,
                {}};
    struct stat info {};
    FileContents contents{FileReadStatus::Failed, {}};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > maxSize)
        return contents;
    if (ReadAll(fd.Get(), contents.Bytes, maxSize))
        contents.Status = FileReadStatus::Read;
    else
        contents.Bytes.clear();
    return contents;
}

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    return ReplaceFileAtomically(path, bytes, error);
}

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           std::error_code& error) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string prefix = TemporaryPrefix(path);
    RemoveStaleTemporaryFiles(folder, prefix);
    std::string temporary;
    // Locked until the rename: tells other saves that this one is alive.
    FileDescriptor fd(CreateLockedTemporary(folder, prefix, temporary));
    if (fd.Get() < 0) {
        error = LastError();
        return false;
    }
    KeepPermissions(fd.Get(), path);
    const bool replaced =
        WriteTemporary(fd.Get(), bytes) && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!replaced) {
        error = LastError();
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    error.clear();
    return true;
}

} // namespace kvarzel
