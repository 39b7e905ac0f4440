// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/hand_over_endpoint.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kvarzel {
namespace {

// A folder the user alone can put files into: a link in its place is refused.
bool IsUsersOwnFolder(const std::filesystem::path& folder) {
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::optional<std::filesystem::path> RuntimeFolder() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    if (folder == nullptr || *folder != '/' || !IsUsersOwnFolder(folder))
        return std::nullopt;
    return folder;
}

std::optional<std::filesystem::path> SettingsFolder(const std::filesystem::path& settingsFile) {
    const std::filesystem::path folder = settingsFile.parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    ::mkdir(folder.c_str(), 0700);
    if (!IsUsersOwnFolder(folder))
        return std::nullopt;
    return folder;
}

// FNV-1a: a name, not a secret; two settings files whose paths meet in 64 bits
// would only share one copy.
std::uint64_t PathHash(const std::string& path) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : path) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string EndpointName(const std::filesystem::path& settingsFile) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(settingsFile, error);
    if (error)
        resolved = std::filesystem::absolute(settingsFile, error).lexically_normal();
    char name[32];
    std::snprintf(name, sizeof name, "kvarzel-%016llx",
                  static_cast<unsigned long long>(PathHash(resolved.string())));
    return name;
}

} // namespace

EndpointChoice ChooseHandOverEndpoint(const std::filesystem::path& settingsFile) {
    std::optional<std::filesystem::path> folder = RuntimeFolder();
    if (!folder)
        folder = SettingsFolder(settingsFile);
    if (!folder)
        return {std::nullopt, {GuardProblem::Kind::NoPrivateFolder, settingsFile.parent_path()}};
    const std::string name = EndpointName(settingsFile);
    HandOverEndpoint endpoint{*folder / (name + ".lock"), *folder / (name + ".socket")};
    if (endpoint.Socket.string().size() >= sizeof(sockaddr_un::sun_path))
        return {std::nullopt, {GuardProblem::Kind::PathTooLong, endpoint.Socket}};
    return {endpoint, {}};
}

} // namespace kvarzel
