// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <sys/stat.h>
#include <sys/types.h>

namespace kvarzel {

enum class FileReadStatus { Read, Missing, Failed };

struct FileContents {
    FileReadStatus Status = FileReadStatus::Missing;
    std::string Bytes;
};

// The whole of a regular file. Missing covers a path whose folder does not
// exist; anything that exists but cannot be read (a folder, a pipe, no read
// permission, more than maxSize bytes) is Failed.
FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize);

// Writes all of the bytes, going on after short writes; false with errno set
// on the first failure.
bool WriteAll(int fd, std::string_view bytes);
// The same at `offset`, which moves past every byte written, also those of a
// write that then failed part way.
bool WriteAllAt(int fd, std::string_view bytes, off_t& offset);

// The path still names the open file: nothing removed or put in its place.
bool NameLeadsTo(const std::filesystem::path& path, int fd);

// A regular file of the user's own: what the program's files are, and not a
// device, a pipe or another user's file put in the place of one.
bool IsUsersRegularFile(const struct stat& info);

// Creates "<folder>/<prefix>XXXXXX" (the X's filled as mkostemp fills them),
// locked with flock and still under that name once locked: another program's
// clean-up may remove a temporary file that it finds unlocked. The
// descriptor (read and write), or -1 with errno set; `path` names the file.
int CreateLockedTemporary(const std::filesystem::path& folder, const std::string& prefix,
                          std::string& path);

// Replaces the file in one step: the bytes go to a temporary file in the same
// folder, are synced, and the temporary file is renamed over the old one,
// whose permissions it takes. On failure the old file is untouched and no
// temporary file is left behind; temporary files that a killed save left are
// removed by the next one.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// The same, with the reason of a failure (a full disk, a missing folder).
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           std::error_code& error);

// For tests: called with the temporary file's path between its creation and
// its lock, where another copy's clean-up could step in. Empty: no call.
using TemporaryFileHook = std::function<void(const std::filesystem::path&)>;
void SetTemporaryCreatedHookForTesting(TemporaryFileHook hook);

} // namespace kvarzel
