#pragma once

#include <string>

namespace kvarzel {

// True for an existing file (or a link to one); a folder does not count.
bool FileExists(const std::string& path);

} // namespace kvarzel
