#include "core/file_system.h"

#include <filesystem>
#include <system_error>

namespace kvarzel {

bool FileExists(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

} // namespace kvarzel
