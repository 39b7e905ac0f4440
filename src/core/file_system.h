// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvarzel {

// True for an existing file (or a link to one); a folder does not count.
bool FileExists(const std::string& path);

// True for an existing regular file (or a link to one): neither a folder nor
// a pipe, a device or a socket, which would hold whoever opened them.
bool PlainFileExists(const std::string& path);

// The extension of a name: from its last "." on, unless a "\", "/" or ":"
// follows that dot; empty for a name without one.
std::string FileExtension(const std::string& name);

// True when the name's extension, lower-cased, is ".wav".
bool HasWaveExtension(const std::string& name);

} // namespace kvarzel
