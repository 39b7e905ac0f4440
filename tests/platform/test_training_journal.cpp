// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/journal_text.h"
#include "core/history/line_check.h"
#include "platform/files/training_journal.h"
#include "test_support/history_test_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TrainingSoFar;
using testing::WriteBytes;

class TrainingJournalTest : public ::testing::Test {
protected:
    fs::path Fallback() const { return folder.Path() / "state"; }
    JournalPlaces Places() const { return {folder.Path() / "data" / "history.csv", Fallback()}; }
    // Files in a folder by name, the disk's own aside.
    static std::vector<std::string> Names(const fs::path& place) {
        std::vector<std::string> names;
        if (fs::exists(place))
            for (const auto& entry : fs::directory_iterator(place))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A journal whose program was cut off after `answered` of `peas` answers.
    fs::path LeaveJournal(const JournalPlaces& places, int answered, int peas) {
        WriteFailure why = WriteFailure::None;
        auto journal = TrainingJournal::Create(places, peas, why);
        EXPECT_NE(journal, nullptr) << WriteFailureText(why);
        if (!journal)
            return {};
        for (int answer = 1; answer <= answered; ++answer)
            EXPECT_TRUE(journal->Write(TrainingSoFar(answer, peas)));
        return journal->Path();
    }
    // Places whose history's folder is a file while journals are made: they
    // go to the fallback folder. Made a folder again by Unblock.
    JournalPlaces Blocked(const char* name) const {
        const fs::path data = folder.Path() / name;
        fs::create_directories(data);
        WriteBytes(data / "Kvarzel", "not a folder");
        return {data / "Kvarzel" / "history.csv", Fallback()};
    }
    static void Unblock(const JournalPlaces& places) {
        fs::remove(places.History.parent_path());
        fs::create_directory(places.History.parent_path());
    }
    static std::vector<TrainingRecord> Records(const TrainingJournal::Left& left) {
        std::vector<TrainingRecord> records;
        for (const auto& journal : left.Journals)
            records.push_back(*journal->Record());
        return records;
    }

    testing::TemporaryFolder folder;
};

// The journal appears under its name with its heading, locked from the start;
// a start completes it with its last whole line, and it goes with its line.
TEST_F(TrainingJournalTest, AJournalLeftBehindGivesItsLastTraining) {
    const fs::path path = LeaveJournal(Places(), 3, 5);
    EXPECT_EQ(path.parent_path(), Places().History.parent_path());
    EXPECT_TRUE(path.filename().string().starts_with("history.csv.journal-"));
    const std::string text = ReadBytes(path);
    EXPECT_TRUE(text.starts_with(JournalHeading(HistoryName(Places().History))));
    EXPECT_EQ(Names(path.parent_path()), std::vector<std::string>{path.filename().string()});
    TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(Places());
    EXPECT_EQ(Records(left), std::vector<TrainingRecord>{TrainingSoFar(3, 5)});
    EXPECT_FALSE(left.More);
    // Held by this collection: another one leaves it alone.
    EXPECT_TRUE(TrainingJournal::CollectLeftJournals(Places()).Journals.empty());
    left.Journals.front()->Remove();
    EXPECT_FALSE(fs::exists(path));
}

// A journal is made and locked under a temporary name, which a collector
// leaves alone while it is locked (and, empty, until it can be locked), and
// only then given its own: a collector in a loop never gets a journal whose
// creator is still at work. Before, 309 of 20 000 were taken in the gap
// between creation and lock.
TEST_F(TrainingJournalTest, ACollectorInALoopNeverTakesAJournalBeingMade) {
    constexpr int Journals = 20000;
    std::atomic<bool> making{true};
    std::atomic<int> collections{0};
    std::atomic<int> taken{0};
    const JournalPlaces places = Places();
    std::thread collector([&] {
        while (making) {
            TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(places);
            taken += static_cast<int>(left.Journals.size());
            ++collections;
        }
    });
    int lost = 0;
    int made = 0;
    for (int n = 0; n < Journals; ++n) {
        WriteFailure why = WriteFailure::None;
        auto journal = TrainingJournal::Create(places, 1, why);
        if (!journal)
            continue;
        ++made;
        struct stat info {};
        lost += ::stat(journal->Path().c_str(), &info) == 0 ? 0 : 1;
        journal->Remove();
    }
    making = false;
    collector.join();
    EXPECT_EQ(made, Journals);
    EXPECT_EQ(lost, 0) << "of " << made << ", in " << collections << " collections";
    EXPECT_EQ(taken, 0);
    EXPECT_GT(collections, 0);
    EXPECT_EQ(Names(places.History.parent_path()), std::vector<std::string>{})
        << "nothing left behind";
}

// Each journal names its history: of two data folders whose journals share
// one fallback folder, each start completes its own only. Journals of the
// older layout, without a heading, stay the history's beside it and are left
// alone in the shared folder, where nobody can tell whose they are.
TEST_F(TrainingJournalTest, EachHistoryCompletesOnlyItsOwnJournals) {
    const JournalPlaces a = Blocked("a");
    const JournalPlaces b = Blocked("b");
    const fs::path ofA = LeaveJournal(a, 2, 4);
    const fs::path ofB = LeaveJournal(b, 3, 4);
    ASSERT_EQ(ofA.parent_path(), Fallback());
    ASSERT_EQ(ofB.parent_path(), Fallback());
    for (const JournalPlaces& places : {a, b})
        Unblock(places);
    const std::string olderLayout = HistoryLine(TrainingSoFar(1, 4));
    WriteBytes(a.History.parent_path() / "history.csv.journal-older1", olderLayout);
    WriteBytes(Fallback() / "history.csv.journal-older2", olderLayout);

    TrainingJournal::Left ofAs = TrainingJournal::CollectLeftJournals(a);
    EXPECT_EQ(Records(ofAs), (std::vector<TrainingRecord>{TrainingSoFar(1, 4), TrainingSoFar(2, 4)}));
    for (const auto& journal : ofAs.Journals)
        journal->Remove();
    std::vector<std::string> left{"history.csv.journal-older2", ofB.filename().string()};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(Names(Fallback()), left);
    EXPECT_EQ(Records(TrainingJournal::CollectLeftJournals(b)),
              std::vector<TrainingRecord>{TrainingSoFar(3, 4)});
}

// A journal that a running program holds is left to it, and the start of its
// training (which every line carries) is told, so that the history's
// readings wait for it: only of this history's journals, not of another's in
// the shared folder.
TEST_F(TrainingJournalTest, AHeldJournalTellsWhenItsTrainingStartedToItsOwnHistoryOnly) {
    const auto playing = [](const JournalPlaces& places, std::uint64_t id) {
        TrainingRecord soFar = TrainingSoFar(1, 4);
        soFar.Start = TrainingStart{soFar.Finished - std::chrono::seconds{5}, TrainingId{{id, id}}};
        WriteFailure why = WriteFailure::None;
        auto journal = TrainingJournal::Create(places, 4, why);
        EXPECT_TRUE(journal && journal->Write(soFar));
        return std::pair{std::move(journal), *soFar.Start};
    };
    const JournalPlaces ours = Blocked("a");
    const auto [mine, start] = playing(ours, 1);
    const auto [another, anothersStart] = playing(Blocked("b"), 2);
    Unblock(ours);
    const TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(ours);
    EXPECT_TRUE(left.Journals.empty());
    EXPECT_EQ(left.Held, std::vector<TrainingStart>{start});
    EXPECT_TRUE(fs::exists(mine->Path()));
}

// A heading cut short, or none and no whole line after it: nothing of a
// training ever reached the disk, and the journal goes. A heading of another
// version, or of another history, is not this start's to touch.
TEST_F(TrainingJournalTest, JournalsWithoutATrainingGoOnlyWhenNothingCanBeLost) {
    const std::string heading = JournalHeading(HistoryName(Places().History));
    const std::string line = HistoryLine(TrainingSoFar(1, 3));
    const fs::path other = folder.Path() / "other" / "history.csv";
    std::string newer = "kvarzel_journal,2,/x";
    newer = WithLineCheck(newer) + "\n";
    // Taken: beside the history, where a journal without a heading is its own.
    const struct {
        const char* Name;
        std::string Text;
        bool Stays;
        bool Taken;
    } cases[] = {
        {"empty", "", false, false},
        {"heading cut", heading.substr(0, heading.size() - 5), false, false},
        {"zero bytes", std::string(300, '\0'), false, false},
        {"heading alone", heading, false, false},
        {"cut heading, then a line", heading.substr(0, 20) + "\n" + line, true, true},
        {"another version", newer + line, true, false},
        {"another history", JournalHeading(HistoryName(other)) + line, true, false},
    };
    for (const fs::path& place : {Places().History.parent_path(), Fallback()}) {
        fs::create_directories(place);
        for (const auto& journal : cases) {
            const fs::path path = place / "history.csv.journal-case01";
            WriteBytes(path, journal.Text);
            const TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(Places());
            const bool taken = journal.Taken && place == Places().History.parent_path();
            EXPECT_EQ(left.Journals.size(), taken ? 1U : 0U) << journal.Name << " " << place;
            EXPECT_EQ(fs::exists(path), journal.Stays) << journal.Name << " " << place;
            fs::remove(path);
        }
    }
}

// A temporary name (where a file cannot be made without one) is a journal
// still being made while it is locked, and the leftover of a killed creation
// once it is not.
TEST_F(TrainingJournalTest, TemporaryFilesAKilledCreationLeftAreRemovedOnlyUnlocked) {
    const fs::path place = Places().History.parent_path();
    fs::create_directories(place);
    const fs::path held = place / ".history.csv.journal-Held01";
    const fs::path left = place / ".history.csv.journal-Left01";
    const fs::path unrelated = place / ".history.csv.journal-toolong1";
    for (const fs::path& path : {held, left, unrelated})
        WriteBytes(path, JournalHeading(HistoryName(Places().History)));
    // Empty: a creation may be about to lock it, and it is left a while.
    const fs::path young = place / ".history.csv.journal-Young1";
    WriteBytes(young, "");
    const FileDescriptor holder(::open(held.c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(holder.Get(), LOCK_EX), 0);
    EXPECT_TRUE(TrainingJournal::CollectLeftJournals(Places()).Journals.empty());
    EXPECT_TRUE(fs::exists(held));
    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(unrelated));
    EXPECT_TRUE(fs::exists(young));
}

// A journal can hold no more than a training writes; a bigger one of this
// history is set aside unread, another history's left as it is. Up to that
// size, zero bytes after the last line are room, however many.
TEST_F(TrainingJournalTest, AJournalBeyondWhatATrainingWritesIsSetAsideUnread) {
    const fs::path place = Places().History.parent_path();
    fs::create_directories(place);
    const auto sparse = [&](const char* name, const std::string& heading, std::size_t size,
                            const std::string& end) {
        const fs::path path = place / name;
        WriteBytes(path, heading);
        fs::resize_file(path, size - end.size());
        std::ofstream(path, std::ios::binary | std::ios::app) << end;
        return path;
    };
    const std::string ours = JournalHeading(HistoryName(Places().History));
    const std::string line = HistoryLine(TrainingSoFar(2, 9));
    const fs::path big = sparse("history.csv.journal-big001", ours, MaxJournalSize() + 1, line);
    const fs::path others = sparse("history.csv.journal-other1",
                                   JournalHeading(HistoryName(folder.Path() / "x.csv")),
                                   MaxJournalSize() + 1, line);
    const fs::path roomy =
        sparse("history.csv.journal-roomy1", ours + line, MaxJournalSize(), std::string(1, '\0'));
    const TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(Places());
    EXPECT_EQ(Records(left), std::vector<TrainingRecord>{TrainingSoFar(2, 9)});
    EXPECT_EQ(left.SetAside, std::vector<fs::path>{big.string() + ".damaged"});
    EXPECT_FALSE(fs::exists(big));
    EXPECT_EQ(fs::file_size(big.string() + ".damaged"), MaxJournalSize() + 1);
    EXPECT_TRUE(fs::exists(others));
    EXPECT_TRUE(fs::exists(roomy));
}

// A collection holds a bounded number of journals, each with a descriptor
// open; the rest wait for the next one.
TEST_F(TrainingJournalTest, ACollectionTakesAtMostItsLimitAndSaysMoreAreLeft) {
    for (int answered = 1; answered <= 5; ++answered)
        LeaveJournal(Places(), answered, 5);
    std::vector<TrainingRecord> all;
    for (bool more = true; more;) {
        TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(Places(), 2);
        EXPECT_LE(left.Journals.size(), 2U);
        more = left.More;
        for (const auto& journal : left.Journals) {
            all.push_back(*journal->Record());
            journal->Remove();
        }
    }
    std::sort(all.begin(), all.end(),
              [](const auto& x, const auto& y) { return x.Finished < y.Finished; });
    ASSERT_EQ(all.size(), 5U);
    for (int answered = 1; answered <= 5; ++answered)
        EXPECT_EQ(all[static_cast<std::size_t>(answered - 1)], TrainingSoFar(answered, 5));
}

} // namespace
} // namespace kvarzel
