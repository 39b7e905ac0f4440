// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/damaged_tail.h"

#include "platform/files/atomic_file.h"
#include "platform/files/file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

// Far more tails than a second can see: past it, something else is wrong.
constexpr int MaxAttempts = 1000;

std::string UtcStamp(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

int CreateNew(const fs::path& history, std::chrono::system_clock::time_point moment,
              fs::path& path) {
    for (int attempt = 1; attempt <= MaxAttempts; ++attempt) {
        path = DamagedTailPath(history, moment, attempt);
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool AllZero(std::string_view bytes) {
    return bytes.find_first_not_of('\0') == std::string_view::npos;
}

// Block by block; a block of zero bytes is left a hole.
bool CopyRange(int from, int to, off_t start, off_t end) {
    char block[65536];
    for (off_t offset = start; offset < end;) {
        const auto wanted = static_cast<std::size_t>(std::min<off_t>(sizeof block, end - offset));
        const ssize_t count = ::pread(from, block, wanted, offset);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            errno = count == 0 ? EIO : errno;
            return false;
        }
        const std::string_view bytes(block, static_cast<std::size_t>(count));
        off_t at = offset - start;
        if (!AllZero(bytes) && !WriteAllAt(to, bytes, at))
            return false;
        offset += count;
    }
    return ::ftruncate(to, end - start) == 0 && ::fsync(to) == 0;
}

void SyncFolderOf(const fs::path& file) {
    const FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
}

} // namespace

fs::path DamagedTailPath(const fs::path& history, std::chrono::system_clock::time_point moment,
                         int attempt) {
    std::string name = history.filename().string() + ".damaged-" + UtcStamp(moment);
    if (attempt > 1)
        name += "-" + std::to_string(attempt);
    return history.parent_path() / name;
}

std::optional<fs::path> CopyTailAside(int fd, off_t from, off_t to, const fs::path& history,
                                      std::chrono::system_clock::time_point moment, int& error) {
    fs::path path;
    const FileDescriptor copy(CreateNew(history, moment, path));
    if (copy.Get() < 0 || !CopyRange(fd, copy.Get(), from, to)) {
        error = errno;
        if (copy.Get() >= 0)
            ::unlink(path.c_str());
        return std::nullopt;
    }
    SyncFolderOf(path);
    error = 0;
    return path;
}

} // namespace kvarzel
