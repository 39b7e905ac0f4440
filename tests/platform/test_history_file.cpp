#include "platform/atomic_file.h"
#include "platform/history_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

TrainingRecord Training(int right) {
    TrainingRecord record;
    record.Finished = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7};
    record.PeasCount = 4;
    record.Bucket = {true, 0};
    record.Answers = {2, 2, 0};
    record.RightCount = right;
    record.Percentage = right * 25.0;
    return record;
}

std::string Bytes(const fs::path& path) {
    return ReadWholeFile(path, 1 << 20).Bytes;
}

class HistoryFileTest : public ::testing::Test {
protected:
    fs::path Path() const { return fs::path(folder.path().toStdString()) / "Tellumor" / "h.csv"; }
    HistoryFile::AppendResult Append(int right) {
        return HistoryFile(Path()).Append(Training(right), before);
    }

    QTemporaryDir folder;
    HistoryFile::Contents before;
};

TEST_F(HistoryFileTest, FirstAppendMakesFolderAndHeaderLaterOnesKeepEveryLine) {
    EXPECT_EQ(HistoryFile(Path()).Load().State, HistoryFile::Status::Missing);
    EXPECT_EQ(Append(1), HistoryFile::AppendResult::Appended);
    EXPECT_EQ(before.State, HistoryFile::Status::Missing);
    EXPECT_EQ(Append(3), HistoryFile::AppendResult::Appended);
    EXPECT_EQ(before.Records, std::vector<TrainingRecord>{Training(1)});
    EXPECT_EQ(Bytes(Path()),
              HistoryHeaderLine() + HistoryLine(Training(1)) + HistoryLine(Training(3)));
    const HistoryFile::Contents loaded = HistoryFile(Path()).Load();
    EXPECT_EQ(loaded.State, HistoryFile::Status::Ours);
    EXPECT_EQ(loaded.Records, (std::vector<TrainingRecord>{Training(1), Training(3)}));
    EXPECT_TRUE(fs::exists(Path().string() + ".lock"));
}

TEST_F(HistoryFileTest, DamagedForeignOrUnreadableFilesAreKeptAsTheyAre) {
    fs::create_directories(Path().parent_path());
    const std::string damaged = HistoryHeaderLine() + HistoryLine(Training(1)) + "garbage\n";
    const std::string foreign = "Name,Score\nAnna,5\n";
    for (const auto& [text, state] : {std::pair{damaged, HistoryFile::Status::Damaged},
                                      std::pair{foreign, HistoryFile::Status::Foreign}}) {
        ASSERT_TRUE(ReplaceFileAtomically(Path(), text));
        EXPECT_EQ(Append(2), HistoryFile::AppendResult::Refused);
        EXPECT_EQ(before.State, state);
        EXPECT_EQ(Bytes(Path()), text);
    }
    EXPECT_EQ(before.BadLine, 1);
    EXPECT_EQ(HistoryFile(Path()).Load().BadLine, 1);
    fs::remove(Path());
    fs::create_directory(Path());
    EXPECT_EQ(Append(2), HistoryFile::AppendResult::Refused);
    EXPECT_EQ(before.State, HistoryFile::Status::Unreadable);
    EXPECT_TRUE(fs::is_directory(Path()));
}

TEST_F(HistoryFileTest, ALastLineWithoutItsEndIsNotGluedToTheNext) {
    fs::create_directories(Path().parent_path());
    std::string text = HistoryHeaderLine() + HistoryLine(Training(1));
    text.pop_back();
    ASSERT_TRUE(ReplaceFileAtomically(Path(), text));
    EXPECT_EQ(Append(4), HistoryFile::AppendResult::Appended);
    EXPECT_EQ(HistoryFile(Path()).Load().Records,
              (std::vector<TrainingRecord>{Training(1), Training(4)}));
}

TEST_F(HistoryFileTest, ExportWritesAWholeHistory) {
    const fs::path target = fs::path(folder.path().toStdString()) / "export.csv";
    ASSERT_TRUE(ExportHistory(target, {Training(0), Training(2)}));
    EXPECT_EQ(Bytes(target),
              HistoryHeaderLine() + HistoryLine(Training(0)) + HistoryLine(Training(2)));
    EXPECT_FALSE(ExportHistory(fs::path(folder.path().toStdString()) / "no" / "x.csv", {}));
}

TEST(HistoryPathTest, FollowsAnAbsoluteDataHomeOnly) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string restore = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(UserHistoryPath(), fs::path("/data/home/Tellumor/Kvarzel/history.csv"));
    setenv("XDG_DATA_HOME", "relative", 1);
    setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/home/u", 1);
    EXPECT_EQ(UserHistoryPath(),
              fs::path(std::getenv("HOME")) / ".local/share/Tellumor/Kvarzel/history.csv");
    if (saved)
        setenv("XDG_DATA_HOME", restore.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace kvarzel
