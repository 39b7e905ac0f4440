// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/background_sync.h"

#include <fcntl.h>
#include <utility>
#include <unistd.h>

namespace kvarzel {

namespace {

int CopyOf(int fd) {
    return fd >= 0 ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
}

} // namespace

BackgroundSync::BackgroundSync(int fd, int folderFd)
    : fd_(CopyOf(fd)), folderFd_(CopyOf(folderFd)) {
    thread_ = std::thread([this] { Serve(); });
}

BackgroundSync::~BackgroundSync() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
    for (const int fd : {fd_, folderFd_})
        if (fd >= 0)
            ::close(fd);
}

void BackgroundSync::Request() {
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        requested_ = true;
        wake = idle_;
    }
    if (wake)
        wake_.notify_one();
}

void BackgroundSync::Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
        idle_ = true;
        wake_.wait(lock, [this] { return requested_ || stopping_; });
        idle_ = false;
        if (!requested_)
            return;
        requested_ = false;
        lock.unlock();
        if (fd_ >= 0)
            ::fdatasync(fd_);
        if (folderFd_ >= 0) {
            ::fsync(folderFd_);
            ::close(std::exchange(folderFd_, -1));
        }
        lock.lock();
        wake_.wait_for(lock, MinInterval, [this] { return stopping_; });
    }
}

} // namespace kvarzel
