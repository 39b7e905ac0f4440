// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/handover/guard_problem.h"

#include <filesystem>
#include <optional>

namespace kvarzel {

// Where the copy of the program that runs on a settings file waits for later
// starts: a lock file, held while it runs, and a local socket beside it, both
// named after the settings file's resolved path, so that every settings file
// has its own copy.
struct HandOverEndpoint {
    std::filesystem::path Lock;
    std::filesystem::path Socket;
};

struct EndpointChoice {
    std::optional<HandOverEndpoint> Endpoint;
    GuardProblem Problem; // why there is none
};

// The endpoint of a settings file, in $XDG_RUNTIME_DIR when that is the user's
// own folder, else beside the settings file (its folder made, mode 0700, when
// missing). None when neither folder is the user's alone (not a link, owned
// by the user, writable by nobody else) or the socket's path would be too long.
EndpointChoice ChooseHandOverEndpoint(const std::filesystem::path& settingsFile);

} // namespace kvarzel
