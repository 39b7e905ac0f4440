// SPDX-License-Identifier: GPL-3.0-or-later
// The history and its export change only what is the user's to change: the
// rules of the settings file, checked for both.
#include "platform/files/history_file.h"
#include "test_support/history_test_records.h"

#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;
using testing::AnotherUser;
using testing::HistoryText;
using testing::Permissions;
using testing::ReadBytes;
using testing::Training;
using testing::WriteBytes;

constexpr auto ReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

// Both ways of writing a file: appending a training to it as the history, and
// exporting to it. Each says whether it wrote.
struct Writer {
    const char* Name;
    std::function<bool(const fs::path&)> Write;
};

bool AppendTo(const fs::path& path) {
    HistoryFile::Contents contents;
    return HistoryFile(path).Append(std::vector{Training(2)}, contents) ==
           HistoryFile::AppendResult::Appended;
}

bool ExportTo(const fs::path& path) {
    const ExportResult result = ExportHistory(path, std::vector{Training(2)});
    EXPECT_EQ(result.Message.empty(), result.Ok);
    return result.Ok;
}

const Writer Writers[] = {{"history", AppendTo}, {"export", ExportTo}};

class HistoryPolicyTest : public ::testing::TestWithParam<Writer> {
protected:
    fs::path File() const { return folder.Path() / "history.csv"; }
    fs::path Elsewhere(const std::string& name) const {
        const fs::path path = folder.Path() / "elsewhere" / name;
        fs::create_directories(path.parent_path());
        return path;
    }
    bool Write(const fs::path& path) const { return GetParam().Write(path); }

    testing::TemporaryFolder folder;
    const std::string original = HistoryText({Training(1)});
};

TEST_P(HistoryPolicyTest, ALinkToTheUsersOwnFileWritesThroughTheLink) {
    const fs::path target = Elsewhere("kept.csv");
    WriteBytes(target, original);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, File());
    ASSERT_TRUE(Write(File()));
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(HistoryFile(target).Load().Records.back(), Training(2));
    EXPECT_EQ(Permissions(target),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_P(HistoryPolicyTest, AWriteProtectedFileOrALinkToOneIsLeftAlone) {
    WriteBytes(File(), original);
    fs::permissions(File(), ReadOnly);
    EXPECT_FALSE(Write(File()));
    EXPECT_EQ(ReadBytes(File()), original);
    EXPECT_EQ(Permissions(File()), ReadOnly);
    const fs::path link = folder.Path() / "link.csv";
    fs::create_symlink(File(), link);
    EXPECT_FALSE(Write(link));
    EXPECT_EQ(ReadBytes(File()), original);
}

TEST_P(HistoryPolicyTest, ALinkToNothingOrToAFolderIsNotFollowed) {
    const fs::path nowhere = Elsewhere("nowhere.csv");
    fs::create_symlink(nowhere, File());
    EXPECT_FALSE(Write(File()));
    EXPECT_FALSE(fs::exists(nowhere));
    fs::remove(File());
    const fs::path folderTarget = Elsewhere("folder");
    fs::create_directory(folderTarget);
    fs::create_symlink(folderTarget, File());
    EXPECT_FALSE(Write(File()));
    EXPECT_TRUE(fs::is_empty(folderTarget));
}

// Root, started with a user's home, must not take the user's file over; the
// same for a link to a file of someone else.
TEST_P(HistoryPolicyTest, AnotherUsersFileOrALinkToItIsLeftAlone) {
    if (!testing::RunsAsRoot())
        GTEST_SKIP() << "only root can give a file to another user";
    const fs::path others = Elsewhere("others.csv");
    for (const fs::path& file : {File(), others})
        WriteBytes(file, original);
    ASSERT_EQ(::chown(File().c_str(), AnotherUser, AnotherUser), 0);
    ASSERT_EQ(::chown(others.c_str(), AnotherUser, AnotherUser), 0);
    EXPECT_FALSE(Write(File()));
    const fs::path link = folder.Path() / "link.csv";
    fs::create_symlink(others, link);
    EXPECT_FALSE(Write(link));
    for (const fs::path& file : {File(), others}) {
        EXPECT_EQ(ReadBytes(file), original);
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, AnotherUser);
    }
}

INSTANTIATE_TEST_SUITE_P(BothWriters, HistoryPolicyTest, ::testing::ValuesIn(Writers),
                         [](const auto& info) { return std::string(info.param.Name); });

// The temporary file is made in the same folder: with a name that takes all
// of the folder's limit, its own name must still fit.
TEST(HistoryExportTest, NamesUpToTheFolderLimitAreWritten) {
    testing::TemporaryFolder folder;
    for (const std::size_t length : {248U, 251U, 255U}) {
        const fs::path file = folder.Path() / (std::string(length - 4, 'k') + ".csv");
        EXPECT_TRUE(ExportTo(file)) << length;
        EXPECT_EQ(HistoryFile(file).Load().Records, std::vector<TrainingRecord>{Training(2)});
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator{}), 1)
            << "no temporary file left";
        fs::remove(file);
    }
}

TEST(HistoryExportTest, ReplacesTheUsersFileKeepingItsModeAndSaysWhyItFailed) {
    testing::TemporaryFolder folder;
    const fs::path file = folder.Path() / "export.csv";
    WriteBytes(file, "old\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ExportHistory(file, std::vector{Training(0), Training(2)}).Ok);
    EXPECT_EQ(ReadBytes(file), HistoryText({Training(0), Training(2)}));
    EXPECT_EQ(Permissions(file),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const ExportResult missing = ExportHistory(folder.Path() / "no" / "x.csv", {});
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(missing.Message, "Не удалось сохранить файл «" +
                                   (folder.Path() / "no" / "x.csv").string() +
                                   "»: такой папки нет.");
    fs::create_directory(folder.Path() / "taken");
    EXPECT_NE(ExportHistory(folder.Path() / "taken", {}).Message.find("папка"), std::string::npos);
    fs::permissions(file, ReadOnly);
    EXPECT_NE(ExportHistory(file, {}).Message.find("защищён от записи"), std::string::npos);
}

} // namespace
} // namespace kvarzel
