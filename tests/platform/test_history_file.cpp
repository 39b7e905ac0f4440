// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/atomic_file.h"
#include "platform/files/file_descriptor.h"
#include "platform/files/history_file.h"
#include "test_support/history_test_records.h"

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;
using testing::HistoryText;
using testing::PreviousHistoryText;
using testing::PreviousLine;
using testing::Permissions;
using testing::ReadBytes;
using testing::Training;
using testing::WriteBytes;
using Result = HistoryFile::AppendResult;
using Status = HistoryFile::Status;

class HistoryFileTest : public ::testing::Test {
protected:
    fs::path Path() const { return folder.Path() / "Tellumor" / "h.csv"; }
    Result Append(std::initializer_list<TrainingRecord> records) {
        return HistoryFile(Path()).Append(std::vector<TrainingRecord>(records), contents);
    }
    void Write(const std::string& text) {
        fs::create_directories(Path().parent_path());
        WriteBytes(Path(), text);
    }

    testing::TemporaryFolder folder;
    HistoryFile::Contents contents;
};

TEST_F(HistoryFileTest, FirstAppendMakesFolderAndHeaderLaterOnesKeepEveryLine) {
    EXPECT_EQ(HistoryFile(Path()).Load().State, Status::Missing);
    EXPECT_EQ(Append({Training(1)}), Result::Appended);
    EXPECT_EQ(Append({Training(3), Training(2)}), Result::Appended);
    EXPECT_EQ(contents.State, Status::Ours);
    const std::vector<TrainingRecord> all{Training(1), Training(3), Training(2)};
    EXPECT_EQ(contents.Records, all);
    EXPECT_EQ(ReadBytes(Path()), HistoryText({Training(1), Training(3), Training(2)}));
    EXPECT_EQ(Permissions(Path()), fs::perms::owner_read | fs::perms::owner_write);
    const HistoryFile::Contents loaded = HistoryFile(Path()).Load();
    EXPECT_EQ(loaded.State, Status::Ours);
    EXPECT_EQ(loaded.Records, all);
    EXPECT_TRUE(fs::exists(Path().string() + ".lock"));
}

TEST_F(HistoryFileTest, DamagedForeignOrUnreadableFilesAreKeptAsTheyAre) {
    const std::string damaged = HistoryText({Training(1)}) + "garbage\n" + HistoryLine(Training(3));
    const std::string foreign = "Name,Score\nAnna,5\n";
    for (const auto& [text, state] :
         {std::pair{damaged, Status::Damaged}, std::pair{foreign, Status::Foreign}}) {
        Write(text);
        EXPECT_EQ(Append({Training(2)}), Result::Refused);
        EXPECT_EQ(contents.State, state);
        EXPECT_EQ(ReadBytes(Path()), text);
    }
    EXPECT_EQ(contents.BadLine, 1);
    EXPECT_EQ(HistoryFile(Path()).Load().BadLine, 1);
    fs::remove(Path());
    fs::create_directory(Path());
    EXPECT_EQ(Append({Training(2)}), Result::Refused);
    EXPECT_EQ(contents.State, Status::Unreadable);
    EXPECT_TRUE(fs::is_directory(Path()));
}

// What a file holds after its last training decides where the next line goes:
// a last line without its end gets one, blank lines and the start of a line
// that a crash cut short go.
TEST_F(HistoryFileTest, TheNextLineStartsRightAfterTheLastTraining) {
    const std::string history = HistoryText({Training(1)});
    const std::string cut = HistoryLine(Training(3)).substr(0, 30);
    const std::pair<std::string, std::string> cases[] = {
        {history.substr(0, history.size() - 1), history},
        {history + "\n\r\n\n", history},
        {history + cut, history},
        {history + std::string(12, '\0'), history},
    };
    for (const auto& [before, kept] : cases) {
        Write(before);
        contents = HistoryFile(Path()).Load();
        EXPECT_EQ(contents.Records, std::vector<TrainingRecord>{Training(1)});
        EXPECT_EQ(Append({Training(4)}), Result::Appended);
        EXPECT_EQ(ReadBytes(Path()), kept + HistoryLine(Training(4)));
        EXPECT_EQ(HistoryFile(Path()).Load().Records,
                  (std::vector<TrainingRecord>{Training(1), Training(4)}));
    }
}

// Zero bytes (what a power cut leaves on some file systems) or garbage after
// a line cut short, of any length up to 64 KB, in either format: the whole
// lines are kept, the tail goes, once, to a file beside the history, and the
// next line is appended.
TEST_F(HistoryFileTest, ADamagedTailIsMovedAsideOnceAndTheHistoryGoesOn) {
    std::mt19937 random(3);
    std::string garbage(64 << 10, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    fs::create_directories(Path().parent_path());
    const auto asideFiles = [this] {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(Path().parent_path()))
            if (entry.path().filename().string().starts_with("h.csv.damaged-"))
                found.push_back(entry.path());
        return found;
    };
    for (const bool previous : {false, true})
        for (const std::size_t size : {0U, 1U, 4095U, 4097U, 65536U})
            for (const bool zeros : {true, false}) {
                const std::string trace = std::to_string(previous) + " " +
                                          std::to_string(size) + " " + std::to_string(zeros);
                for (const fs::path& aside : asideFiles())
                    fs::remove(aside);
                const TrainingRecord cut = Training(4);
                const std::string whole = previous ? PreviousHistoryText({Training(1), Training(2)})
                                                   : HistoryText({Training(1), Training(2)});
                const std::string tail =
                    (previous ? PreviousLine(cut) : HistoryLine(cut)).substr(0, 30) +
                    (zeros ? std::string(size, '\0') : garbage.substr(0, size));
                Write(whole + tail);
                const HistoryFile::Contents loaded = HistoryFile(Path()).Load();
                EXPECT_EQ(loaded.State, Status::Ours) << trace;
                ASSERT_EQ(loaded.Records.size(), 2U) << trace;
                EXPECT_EQ(loaded.DamagedTailBytes, tail.size()) << trace;
                contents = {};
                ASSERT_EQ(Append({Training(3)}), Result::Appended) << trace;
                ASSERT_EQ(contents.MovedTails.size(), 1U) << trace;
                EXPECT_EQ(asideFiles(), contents.MovedTails) << trace;
                EXPECT_EQ(ReadBytes(contents.MovedTails.front()), tail) << trace;
                std::string expected = HistoryHeaderLine();
                for (const TrainingRecord& record : loaded.Records)
                    expected += HistoryLine(record);
                EXPECT_EQ(ReadBytes(Path()), expected + HistoryLine(Training(3))) << trace;
                EXPECT_EQ(Append({Training(2)}), Result::Appended) << trace;
                EXPECT_EQ(contents.MovedTails.size(), 1U) << trace;
                EXPECT_EQ(asideFiles().size(), 1U) << trace;
            }
}

// An unchanged file takes the lines at its end without being read again: the
// proof is a file whose bytes were changed behind the program's back with its
// size and time kept. A file that did change is read again.
TEST_F(HistoryFileTest, OnlyAChangedFileIsReadAgain) {
    ASSERT_EQ(Append({Training(1)}), Result::Appended);
    ASSERT_TRUE(contents.AppendableAsIs);
    struct stat info {};
    ASSERT_EQ(::stat(Path().c_str(), &info), 0);
    std::string bytes = ReadBytes(Path());
    bytes[bytes.size() - 2] = 'x';
    WriteBytes(Path(), bytes);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path().c_str(), times, 0), 0);
    EXPECT_EQ(Append({Training(2)}), Result::Appended);
    EXPECT_EQ(contents.Records, (std::vector<TrainingRecord>{Training(1), Training(2)}));

    // Another copy of the program adds a line: this one sees it.
    HistoryFile::Contents other = HistoryFile(Path()).Load();
    EXPECT_EQ(other.State, Status::Damaged);
    WriteBytes(Path(), HistoryText({Training(1)}));
    other = {};
    ASSERT_EQ(HistoryFile(Path()).Append(std::vector{Training(0)}, other), Result::Appended);
    EXPECT_EQ(Append({Training(3)}), Result::Appended);
    EXPECT_EQ(contents.Records,
              (std::vector<TrainingRecord>{Training(1), Training(0), Training(3)}));
}

TEST_F(HistoryFileTest, AnOlderFileIsWrittenAgainInTheCurrentFormatKeepingItsMode) {
    Write("finished_utc,peas_count,peas_ratio,timer_enabled,time_interval_ms,black_peas,"
          "white_answers,black_answers,timer_answers,right_answers,percentage,chance_percent\n"
          "2026-12-07T10:32:00Z,4,0,0,0,,2,2,0,4,100,1.00247e-3008\n");
    constexpr auto shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read;
    fs::permissions(Path(), shared);
    TrainingRecord older = Training(4);
    older.Finished = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} +
                     std::chrono::hours{10} + std::chrono::minutes{32};
    older.Start.reset();
    older.Evidence.reset();
    EXPECT_EQ(HistoryFile(Path()).Load().Records, std::vector<TrainingRecord>{older});
    EXPECT_EQ(Append({Training(2)}), Result::Appended);
    EXPECT_EQ(ReadBytes(Path()), HistoryText({older, Training(2)}));
    EXPECT_EQ(Permissions(Path()), shared);
    EXPECT_EQ(contents.Records, (std::vector<TrainingRecord>{older, Training(2)}));
}

// A full disk stops a write part way: what was written of it goes again.
TEST_F(HistoryFileTest, AWriteThatFailsPartWayLeavesTheFileAsItWas) {
    ASSERT_EQ(Append({Training(1)}), Result::Appended);
    const std::string before = ReadBytes(Path());
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = before.size() + 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result result = Append({Training(2), Training(3)});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, Result::Failed);
    EXPECT_EQ(ReadBytes(Path()), before);
    EXPECT_EQ(Append({Training(4)}), Result::Appended);
    EXPECT_EQ(HistoryFile(Path()).Load().Records,
              (std::vector<TrainingRecord>{Training(1), Training(4)}));
}

// Another holder of the lock is waited for a while only; then nothing is written.
TEST_F(HistoryFileTest, ALockHeldElsewhereMakesTheAppendBusy) {
    ASSERT_EQ(Append({Training(1)}), Result::Appended);
    const std::string before = ReadBytes(Path());
    const HistoryFile file(Path(), std::chrono::milliseconds{30});
    FileDescriptor holder(::open(file.LockPath().c_str(), O_RDWR | O_CLOEXEC));
    ASSERT_EQ(::flock(holder.Get(), LOCK_EX), 0);
    EXPECT_EQ(file.Append(std::vector{Training(2)}, contents), Result::Busy);
    EXPECT_EQ(ReadBytes(Path()), before);
    EXPECT_EQ(contents.Records, std::vector<TrainingRecord>{Training(1)});
    ::flock(holder.Get(), LOCK_UN);
    EXPECT_EQ(file.Append(std::vector{Training(2)}, contents), Result::Appended);
}

// A lock file that is a link must not make the program create or open its
// target (as root, in a user's folder, that could be any file); a folder in
// its place is refused as well. The append fails, to be tried again later,
// and the history read before stays as it was.
TEST_F(HistoryFileTest, ALockThatIsNoFileOfTheUsersIsNotUsed) {
    const fs::path target = folder.Path() / "etc" / "created-by-kvarzel";
    fs::create_directories(Path().parent_path());
    fs::create_symlink(target, HistoryFile(Path()).LockPath());
    EXPECT_EQ(Append({Training(1)}), Result::Failed);
    EXPECT_EQ(contents.State, Status::Missing);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(Path()));
    fs::remove(HistoryFile(Path()).LockPath());
    fs::create_directory(HistoryFile(Path()).LockPath());
    EXPECT_EQ(Append({Training(1)}), Result::Failed);
    EXPECT_FALSE(fs::exists(Path()));
}

// Russian, the program's only language, has a decimal comma; so has German.
// The program's Qt application sets the locale from the environment at
// start, as setlocale(LC_ALL, "") does here.
TEST_F(HistoryFileTest, TwoTrainingsUnderARussianOrGermanLocaleReadBackAtTheNextStart) {
    const char* saved = std::getenv("LC_ALL");
    for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8"}) {
        fs::remove(Path());
        contents = {};
        setenv("LC_ALL", name, 1);
        ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr)
            << name << " is generated by the build; is LOCPATH set?";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        EXPECT_EQ(Append({Training(1)}), Result::Appended);
        EXPECT_EQ(Append({Training(3)}), Result::Appended);
        const HistoryFile::Contents next = HistoryFile(Path()).Load();
        EXPECT_EQ(next.State, Status::Ours) << name;
        EXPECT_EQ(next.Records, (std::vector<TrainingRecord>{Training(1), Training(3)})) << name;
        const fs::path exported = folder.Path() / "export.csv";
        ASSERT_TRUE(ExportHistory(exported, next.Records).Ok);
        EXPECT_EQ(HistoryFile(exported).Load().Records, next.Records) << name;
    }
    if (saved)
        setenv("LC_ALL", saved, 1);
    else
        unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
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
