// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/damaged_tail.h"
#include "platform/files/file_descriptor.h"
#include "test_support/registry_test_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

// A tail goes to a name of its own, dated, and never over an earlier one,
// even of the same second; a long run of zero bytes costs it no room.
TEST(DamagedTailTest, ATailGoesToANewFileBesideTheHistoryNeverOverAnEarlierOne) {
    testing::TemporaryFolder folder;
    const fs::path history = folder.Path() / "history.csv";
    const auto moment = std::chrono::sys_days{std::chrono::year{2026} / 1 / 7} +
                        std::chrono::hours{9} + std::chrono::minutes{30} + std::chrono::seconds{12};
    EXPECT_EQ(DamagedTailPath(history, moment, 1),
              folder.Path() / "history.csv.damaged-20260107T093012Z");
    EXPECT_EQ(DamagedTailPath(history, moment, 3),
              folder.Path() / "history.csv.damaged-20260107T093012Z-3");
    for (const int attempt : {1, 2})
        WriteBytes(DamagedTailPath(history, moment, attempt), "earlier");
    const std::string kept = "header\nline\n";
    const std::string tail = "cut li" + std::string(1 << 20, '\0') + "garbage";
    WriteBytes(history, kept + tail);
    const FileDescriptor fd(::open(history.c_str(), O_RDONLY | O_CLOEXEC));
    int error = -1;
    const auto aside = CopyTailAside(fd.Get(), static_cast<off_t>(kept.size()),
                                     static_cast<off_t>(kept.size() + tail.size()), history,
                                     moment, error);
    ASSERT_TRUE(aside.has_value()) << error;
    EXPECT_EQ(error, 0);
    EXPECT_EQ(*aside, DamagedTailPath(history, moment, 3));
    EXPECT_EQ(ReadBytes(*aside), tail);
    for (const int attempt : {1, 2})
        EXPECT_EQ(ReadBytes(DamagedTailPath(history, moment, attempt)), "earlier");
    EXPECT_EQ(ReadBytes(history), kept + tail);
    struct stat info {};
    ASSERT_EQ(::stat(aside->c_str(), &info), 0);
    EXPECT_LT(info.st_blocks * 512, 256 << 10) << "the zero bytes take room";
}

} // namespace
} // namespace kvarzel
