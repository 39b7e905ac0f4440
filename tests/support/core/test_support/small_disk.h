// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace kvarzel::testing {

// A real small disk: a tmpfs of its own size mounted on a fresh folder, which
// really fills up, unmounted and removed at the end. Mounting needs root
// (CAP_SYS_ADMIN); where it is not allowed, WhyNot() says why, for the test
// to skip with.
class SmallDisk {
public:
    explicit SmallDisk(std::uint64_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& WhyNot() const { return whyNot_; }
    const std::filesystem::path& Path() const { return path_; }

    // Takes every byte still free with a file of its own ("filler"), down to
    // the last one the file system gives, so that the next block any file
    // needs is refused with ENOSPC.
    void Fill();
    // Gives the filler's room back.
    void Free();
    // Bytes a new file could still take.
    std::uint64_t Available() const;

private:
    std::filesystem::path path_;
    bool mounted_ = false;
    std::string whyNot_;
};

} // namespace kvarzel::testing
