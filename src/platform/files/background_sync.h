// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kvarzel {

// Syncs a file to disk on a thread of its own, so that the window never
// waits for the disk. Requests that come while a sync runs, or within
// MinInterval after it, are served by one more sync then: the data written
// before the last request is always synced in the end, and quick answers
// cost one sync per interval instead of one each, and wake the thread at
// most once per interval. Works on its own copy of the descriptor. A new file's
// folder, when given, is synced once with the first request, so that the
// file's name survives a power cut as well as its bytes.
class BackgroundSync {
public:
    static constexpr std::chrono::milliseconds MinInterval{100};

    explicit BackgroundSync(int fd, int folderFd = -1);
    // Finishes the sync under way and the one requested, then stops.
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    void Request();

private:
    void Serve();

    int fd_;
    int folderFd_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool requested_ = false;
    bool stopping_ = false;
    // Waiting for a request, not syncing nor resting after a sync: only
    // then does a request wake the thread (a wake is a switch between
    // threads, which would cost every answer more than its write).
    bool idle_ = false;
    std::thread thread_;
};

} // namespace kvarzel
