// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/file_descriptor.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace kvarzel {

// An exclusive lock on a lock file beside the file it guards, held for as
// long as the object lives.
//
// The lock file is opened without following a link and kept only when it is
// a regular file of the user's: a link planted in its place (by another user,
// in a shared or a root-run data folder) must not make the program create or
// open whatever it points to. The wait is bounded, so that another program
// holding the lock for long cannot freeze the window.
class FileLock {
public:
    enum class State {
        Held,
        Busy,    // another holder kept it all through the wait
        Refused, // a link, a folder or another user's file is in its place
        Failed,  // it cannot be created (a read-only folder, a full disk)
    };

    static FileLock Take(const std::filesystem::path& lockFile, std::chrono::milliseconds wait);

    State Result() const { return state_; }
    bool Held() const { return state_ == State::Held; }
    // The errno value of a Failed lock.
    int Error() const { return error_; }

private:
    FileLock(State state, int fd, int error = 0)
        : state_(state), fd_(std::make_unique<FileDescriptor>(fd)), error_(error) {}

    State state_;
    std::unique_ptr<FileDescriptor> fd_;
    int error_ = 0;
};

} // namespace kvarzel
