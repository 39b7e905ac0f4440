// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace kvarzel {

// Local (AF_UNIX) stream sockets of the hand-over, none of them blocking.

// A new listening socket at `path`, readable and writable by the user alone;
// whatever was left there (the socket of a copy that was killed) is replaced.
// -1 when it cannot be made.
int ListenLocally(const std::filesystem::path& path);

// A connection to the socket at `path`: only to a socket of the user's own,
// served by a process of the user's. -1 when there is none to reach.
int ConnectLocally(const std::filesystem::path& path);

// The process at the other end of a connection is the user's.
bool PeerIsUser(int socket);

// Sends `message` and reads the answer until `expected` has come, the other end
// closes, or the deadline passes. True when `expected` came.
bool ExchangeLocally(int socket, std::string_view message, std::string_view expected,
                     std::chrono::steady_clock::time_point deadline);

} // namespace kvarzel
