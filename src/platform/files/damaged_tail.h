// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace kvarzel {

// The name a damaged tail of the history taken at `moment` goes to:
// "<history>.damaged-<UTC date and time>", "20260107T093012Z", then "-2",
// "-3" ... for the later ones of the same second (`attempt` counts from 1).
std::filesystem::path DamagedTailPath(const std::filesystem::path& history,
                                      std::chrono::system_clock::time_point moment, int attempt);

// Copies the bytes [from, to) of the open history `fd` into a new file beside
// it (the first DamagedTailPath not yet taken: an earlier one is never
// replaced), synced with its name, and gives its path; the history itself is
// not changed. Runs of zero bytes cost the new file no room. On failure,
// nothing is left behind, and `error` holds the errno value.
std::optional<std::filesystem::path> CopyTailAside(int fd, off_t from, off_t to,
                                                   const std::filesystem::path& history,
                                                   std::chrono::system_clock::time_point moment,
                                                   int& error);

} // namespace kvarzel
