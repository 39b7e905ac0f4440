#pragma once

#include <filesystem>

namespace kvarzel {

// $HOME, or the user's home from the password database when it is unset.
std::filesystem::path HomeFolder();

} // namespace kvarzel
