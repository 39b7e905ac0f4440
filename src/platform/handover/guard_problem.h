// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace kvarzel {

// Why a start could not make sure that it is the only copy of the program on
// its settings file. The start then runs all the same, and says so: two
// copies must never share a settings file without a word to the user.
struct GuardProblem {
    enum class Kind {
        None,
        NoPrivateFolder, // neither the runtime folder nor the settings folder is the user's alone
        LockInTheWay,    // a link, a folder or another user's file at the lock's place
        LockNotMade,     // the lock file cannot be created
        SocketNotMade,   // the socket cannot be made
        PathTooLong,     // the socket's path is longer than a local socket's address
    };
    Kind What = Kind::None;
    std::filesystem::path Place; // the folder, lock or socket concerned
    int Error = 0;               // the errno value, where there is one

    bool operator==(const GuardProblem&) const = default;
};

// The sentence the user is told, in Russian, without a final full stop.
std::string GuardProblemText(const GuardProblem& problem);

} // namespace kvarzel
