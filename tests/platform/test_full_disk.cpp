// SPDX-License-Identifier: GPL-3.0-or-later
// A real disk that really fills up: a small tmpfs of its own.
#include "core/answer_mix.h"
#include "platform/files/history_file.h"
#include "platform/files/training_journal.h"
#include "test_support/history_test_records.h"
#include "test_support/small_disk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;
using testing::HistoryText;
using testing::ReadBytes;
using testing::Training;
using testing::TrainingSoFar;
using testing::WriteBytes;

class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!disk.Mounted())
            GTEST_SKIP() << disk.WhyNot();
    }
    fs::path History() const { return disk.Path() / "history.csv"; }
    JournalPlaces Places() const { return {History(), {}}; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(disk.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Whether a new file can still take a page: the disk is full when not.
    bool TakesAPage() const {
        const fs::path probe = disk.Path() / "probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const std::string page(4096, 'p');
        const bool took = fd >= 0 && ::write(fd, page.data(), page.size()) == 4096;
        if (fd >= 0)
            ::close(fd);
        ::unlink(probe.c_str());
        return took;
    }

    testing::SmallDisk disk{64 << 10};
};

// Without room for all of a training's lines, its journal is not made: the
// reason is said, and nothing is left behind.
TEST_F(FullDiskTest, AJournalWithoutRoomForItsTrainingIsNotMadeAndSaysWhy) {
    WriteFailure why = WriteFailure::None;
    EXPECT_EQ(TrainingJournal::Create(Places(), MaxTrainingPeas, why), nullptr);
    EXPECT_EQ(WriteFailureText(why), "нет места на диске");
    EXPECT_TRUE(Names().empty());
    disk.Fill();
    ASSERT_FALSE(TakesAPage());
    why = WriteFailure::None;
    EXPECT_EQ(TrainingJournal::Create(Places(), 10, why), nullptr);
    EXPECT_EQ(WriteFailureText(why), "нет места на диске");
    EXPECT_EQ(Names(), std::vector<std::string>{"filler"});
}

// The disk fills up right after a training's start: every answer's line and
// the end's line still go into the room taken at the start, and a later
// start completes the training.
TEST_F(FullDiskTest, ATrainingBegunWithRoomWritesEveryLineOnAFullDisk) {
    constexpr int Peas = 30;
    WriteFailure why = WriteFailure::None;
    auto journal = TrainingJournal::Create(Places(), Peas, why);
    ASSERT_NE(journal, nullptr) << WriteFailureText(why);
    disk.Fill();
    ASSERT_FALSE(TakesAPage());
    for (int answer = 1; answer <= Peas; ++answer)
        ASSERT_TRUE(journal->Write(TrainingSoFar(answer, Peas)))
            << answer << ": " << WriteFailureText(journal->Failure());
    ASSERT_TRUE(journal->Finish(TrainingSoFar(Peas, Peas)))
        << WriteFailureText(journal->Failure());
    journal.reset(); // cut off before its line reached the history
    const TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(Places());
    ASSERT_EQ(left.Journals.size(), 1U);
    EXPECT_EQ(*left.Journals.front()->Record(), TrainingSoFar(Peas, Peas));
}

// A damaged tail that cannot be copied for want of room stays where it is,
// and the lines wait; with room again, it is moved and they are appended.
TEST_F(FullDiskTest, ATailThatCannotBeMovedAsideLeavesTheHistoryAsItWas) {
    const std::string tail = HistoryLine(Training(4)).substr(0, 30) + std::string(8192, '\0');
    const std::string before = HistoryText({Training(1)}) + tail;
    WriteBytes(History(), before);
    disk.Fill();
    const HistoryFile file(History());
    HistoryFile::Contents contents;
    EXPECT_EQ(file.Append(std::vector{Training(2)}, contents), HistoryFile::AppendResult::Failed);
    EXPECT_EQ(WriteFailureText(contents.Failure), "нет места на диске");
    EXPECT_TRUE(contents.MovedTails.empty());
    EXPECT_EQ(ReadBytes(History()), before);
    EXPECT_EQ(Names(), (std::vector<std::string>{"filler", "history.csv", "history.csv.lock"}));
    disk.Free();
    EXPECT_EQ(file.Append(std::vector{Training(2)}, contents), HistoryFile::AppendResult::Appended);
    ASSERT_EQ(contents.MovedTails.size(), 1U);
    EXPECT_EQ(ReadBytes(contents.MovedTails.front()), tail);
    EXPECT_EQ(ReadBytes(History()), HistoryText({Training(1), Training(2)}));
}

} // namespace
} // namespace kvarzel
