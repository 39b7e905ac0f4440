// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/small_disk.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kvarzel::testing {
namespace {

void WriteUntilFull(int fd, std::size_t piece) {
    const std::string zeros(piece, '\0');
    while (::write(fd, zeros.data(), zeros.size()) > 0) {
    }
}

} // namespace

SmallDisk::SmallDisk(std::uint64_t bytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvarzel-disk-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder to mount on");
    path_ = pattern;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    if (::mount("kvarzel-test", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) ==
        0) {
        mounted_ = true;
        return;
    }
    whyNot_ = "a small tmpfs cannot be mounted here (" + std::string(std::strerror(errno)) +
              "): mounting needs root with CAP_SYS_ADMIN";
}

SmallDisk::~SmallDisk() {
    if (mounted_)
        ::umount2(path_.c_str(), MNT_DETACH);
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

void SmallDisk::Fill() {
    const int fd = ::open((path_ / "filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return; // not even a new file fits: full already
    // Whole pages first, then the bytes left of the last one.
    WriteUntilFull(fd, 4096);
    WriteUntilFull(fd, 1);
    ::close(fd);
}

void SmallDisk::Free() {
    ::unlink((path_ / "filler").c_str());
}

std::uint64_t SmallDisk::Available() const {
    struct statvfs info {};
    if (::statvfs(path_.c_str(), &info) != 0)
        return 0;
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

} // namespace kvarzel::testing
