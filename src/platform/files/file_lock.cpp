// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/file_lock.h"

#include "platform/files/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace kvarzel {
namespace {

using Clock = std::chrono::steady_clock;

// Polls instead of blocking in flock: a blocked call cannot be given up after
// a while. The steps start short, so that a lock freed at once costs little.
FileLock::State LockWithin(int fd, std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    std::chrono::milliseconds step{1};
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return FileLock::State::Failed;
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            return FileLock::State::Busy;
        std::this_thread::sleep_for(std::min<Clock::duration>(step, deadline - now));
        step = std::min(step * 2, std::chrono::milliseconds{50});
    }
    return FileLock::State::Held;
}

// A link (ELOOP), a folder or a device in its place, or a lock file that is
// there but not ours to open, is refused; a folder where nothing can be
// created, or a full disk, is a failure.
FileLock::State OpenFailure(const std::filesystem::path& lockFile, int error) {
    struct stat info {};
    if (error == EACCES || error == EPERM)
        return ::lstat(lockFile.c_str(), &info) == 0 ? FileLock::State::Refused
                                                     : FileLock::State::Failed;
    return error == EROFS || error == ENOSPC || error == EDQUOT || error == ENOENT ||
                   error == EIO || error == ENOTDIR
               ? FileLock::State::Failed
               : FileLock::State::Refused;
}

} // namespace

FileLock FileLock::Take(const std::filesystem::path& lockFile, std::chrono::milliseconds wait) {
    FileDescriptor fd(
        ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
    if (fd.Get() < 0) {
        const int error = errno;
        return {OpenFailure(lockFile, error), -1, error};
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !IsUsersRegularFile(info))
        return {State::Refused, -1};
    const State state = LockWithin(fd.Get(), wait);
    const int error = state == State::Failed ? errno : 0;
    return {state, state == State::Held ? fd.Release() : -1, error};
}

} // namespace kvarzel
