// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace kvarzel {

// Local (AF_UNIX) stream sockets of the hand-over, none of them blocking.

// A new listening socket at `path`, readable and writable by the user alone,
// whose queue holds as many connections as the system allows; whatever was
// left there (the socket of a copy that was killed) is replaced. -1 when it
// cannot be made, errno saying why.
int ListenLocally(const std::filesystem::path& path);

struct LocalConnection {
    enum class Result {
        Connected,
        NoListener, // no socket of the user's there, or nobody listens on it
        QueueFull,  // a listener that takes no connections now (it is held up)
    };
    Result State;
    int Socket = -1; // with Connected, the caller's to close
};

// A connection to the socket at `path`: only to a socket of the user's own,
// served by a process of the user's.
LocalConnection ConnectLocally(const std::filesystem::path& path);

// The process at the other end of a connection is the user's.
bool PeerIsUser(int socket);

enum class LocalExchange {
    Answered, // `expected` came
    Closed,   // the other end closed (or said something else) without it
    Silent,   // nothing more came before the deadline
};

// Sends `message` and reads the answer until `expected` has come, the other
// end closes, or the deadline passes.
LocalExchange ExchangeLocally(int socket, std::string_view message, std::string_view expected,
                              std::chrono::steady_clock::time_point deadline);

} // namespace kvarzel
