// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/working_directory.h"

#include <stdexcept>
#include <stdlib.h>

namespace kvarzel::testing {

ScopedWorkingDirectory::ScopedWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvarzel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    std::filesystem::remove_all(path_, error);
}

} // namespace kvarzel::testing
