// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into a process under test, kills it with SIGKILL at one system
// call, as a crash or a power cut would cut it off there. KVARZEL_KILL_AT
// names the place: "<before|after>:<write|fsync|fdatasync|unlink>:<name>", the
// first such call on a file named <name>, or whose name starts with it when it
// ends in "*" (a write or a sync on an open file, an unlink by its path).
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

struct KillPoint {
    bool Before = false;
    std::string Call;
    std::string Name;
    bool Armed = false;
};

KillPoint ReadKillPoint() {
    KillPoint point;
    const char* text = std::getenv("KVARZEL_KILL_AT");
    if (text == nullptr)
        return point;
    const std::string place = text;
    const std::size_t first = place.find(':');
    const std::size_t second = place.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos)
        return point;
    point.Before = place.substr(0, first) == "before";
    point.Call = place.substr(first + 1, second - first - 1);
    point.Name = place.substr(second + 1);
    point.Armed = true;
    return point;
}

KillPoint& Point() {
    static KillPoint point = ReadKillPoint();
    return point;
}

bool IsNamed(const std::string& path, const std::string& name) {
    const std::string file = path.substr(path.rfind('/') + 1);
    if (!name.empty() && name.back() == '*')
        return file.starts_with(name.substr(0, name.size() - 1));
    return file == name;
}

std::string PathOf(int fd) {
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, target, sizeof target - 1);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

// The call is the one to cut at: disarmed, so that nothing else is.
bool IsTheKillPoint(const char* call, const std::string& path) {
    KillPoint& point = Point();
    if (!point.Armed || point.Call != call || !IsNamed(path, point.Name))
        return false;
    point.Armed = false;
    return true;
}

template <typename Function> Function Next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

template <typename Call> auto AroundCall(const char* name, const std::string& path, Call call) {
    const bool kill = IsTheKillPoint(name, path);
    if (kill && Point().Before)
        ::raise(SIGKILL);
    const auto result = call();
    if (kill)
        ::raise(SIGKILL);
    return result;
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, size_t count) {
    static const auto next = Next<ssize_t (*)(int, const void*, size_t)>("write");
    return AroundCall("write", PathOf(fd), [&] { return next(fd, buffer, count); });
}

int fsync(int fd) {
    static const auto next = Next<int (*)(int)>("fsync");
    return AroundCall("fsync", PathOf(fd), [&] { return next(fd); });
}

int fdatasync(int fd) {
    static const auto next = Next<int (*)(int)>("fdatasync");
    return AroundCall("fdatasync", PathOf(fd), [&] { return next(fd); });
}

int unlink(const char* path) {
    static const auto next = Next<int (*)(const char*)>("unlink");
    return AroundCall("unlink", path, [&] { return next(path); });
}
}
