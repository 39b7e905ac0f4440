// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>

namespace kvarzel {

// The file that saving to `file` may replace: `file` itself, or, when it is
// a symbolic link (kept with other dotfiles, say), the regular file it points
// to, provided that file belongs to the user running the program. Nothing
// when the save must leave things as they are: a link to anything else (a
// system file, a device, another user's file, nowhere), another user's
// file in its place, or a file whose write permission has been taken away.
std::optional<std::filesystem::path> ReplaceableFile(const std::filesystem::path& file);

} // namespace kvarzel
