// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/statistics_settings.h"
#include "core/training.h"
#include "core/utc_clock.h"
#include "platform/files/file_descriptor.h"
#include "platform/files/history_file.h"
#include "test_support/history_program.h"
#include "test_support/memory_registry_store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <sys/file.h>
#include <vector>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// How a player without intuition tries to make the history look good.
struct Player {
    const char* Name;
    // Copies of the program on settings folders of their own and one data folder.
    int Copies = 1;
    int HistoryLines = 10;
    bool KeepOnAfterAGoodRun = false;     // keeping off; turned on only when a run went well
    bool KeepOffBeforeALosingEnd = false; // turned off before the last pea of a losing training
    bool KillWhenBehind = false;          // kills the copy while a training goes badly
    bool HoldKilledJournal = false;       // and holds its journal's lock while later lines are
    int HoldForLines = 1000;              // written, this many of them at most
    bool RestartKilledCopyLate = false;   // the killed copy starts again only three trainings later
    bool RestartWhenRunBehind = false;    // closes and starts a copy while its run is behind
    bool ParkWhenBehind = false;          // leaves a losing training open, plays on in another copy
};

std::ostream& operator<<(std::ostream& out, const Player& player) {
    return out << player.Name;
}

constexpr int Peas = 20;
constexpr int TrainingsPerRun = 3;

struct Shares {
    int Count = 0;
    int AtMost5 = 0;
    int AtMost1 = 0;
    void Add(double bound) {
        ++Count;
        AtMost5 += bound <= 0.05;
        AtMost1 += bound <= 0.01;
    }
    double Share(int hits) const { return Count == 0 ? 0 : static_cast<double>(hits) / Count; }
    // At most the level, beyond three standard errors.
    void ExpectWithinTheLevels(const char* what) const {
        const auto limit = [this](double level) {
            return level + 3 * std::sqrt(level * (1 - level) / Count);
        };
        EXPECT_LE(Share(AtMost5), limit(0.05)) << what;
        EXPECT_LE(Share(AtMost1), limit(0.01)) << what;
    }
    std::string Text() const {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f %% / %.2f %%", 100 * Share(AtMost5),
                      100 * Share(AtMost1));
        return text;
    }
};

// A copy of the program that the player starts, kills and starts again.
struct Copy {
    MemoryRegistryStore Settings;
    std::unique_ptr<HistoryProgram> Program;
    int TrainingsInRun = 0;
    bool Parked = false;    // a training left open in it
    int DeadUntilLine = -1; // killed: starts again once the history has this many lines
};

// How a training the player plays came to an end.
enum class Ending { Played, Parked, Killed, Closed };

class HistoryValidityTest : public ::testing::TestWithParam<Player> {
protected:
    void SetUp() override {
        options.PeasCount = Peas;
        options.PeasRatio = 0;
        options.TimerEnabled = false;
        options.BeepWrong = false;
        options.WaveWrong = false;
        Options = &options;
        // Every start a new moment of the day: every bucket a seed of its own.
        SetUtcTimeOfDaySource([this] {
            const auto millisecond = static_cast<int>(seeds() % 86'400'000);
            return UtcTimeOfDay{millisecond / 3'600'000, millisecond / 60'000 % 60,
                                millisecond / 1000 % 60, millisecond % 1000};
        });
        // Real time, a millisecond a step, so that no two moments of play coincide.
        SetMomentSource([this] { return now += std::chrono::milliseconds{1}; });
    }
    void TearDown() override {
        SetMomentSource({});
        SetUtcTimeOfDaySource({});
        Options = nullptr;
    }

    void PlayHistory(const fs::path& folder) {
        history = folder / "history.csv";
        copies.clear();
        for (int copy = 0; copy < player().Copies; ++copy) {
            copies.push_back(std::make_unique<Copy>());
            SaveKeepHistory(&copies.back()->Settings, !player().KeepOnAfterAGoodRun);
        }
        seenLowest = 1;
        for (int played = 0; played < 20 * player().HistoryLines && Lines() < player().HistoryLines;
             ++played) {
            PlayOneTraining(ChooseCopy());
            ReleaseHeldJournals();
        }
        EndEveryCopy();
        // A copy started afterwards reads the history as every later start does.
        MemoryRegistryStore settings;
        SaveKeepHistory(&settings, true);
        const HistoryProgram reader(settings, history);
        lowest.Add(reader.HistoryLowest());
        current.Add(reader.HistoryCurrent());
        seen.Add(std::min(seenLowest, reader.HistoryLowest()));
    }

    const Player& player() const { return GetParam(); }

    // A running copy without an open training, else a parked one to go on
    // with; a killed copy waits for its time.
    Copy& ChooseCopy() {
        for (auto& copy : copies)
            if (!copy->Parked && copy->DeadUntilLine <= Lines())
                return *copy;
        for (auto& copy : copies)
            if (copy->Parked)
                return *copy;
        return *copies.front();
    }

    void PlayOneTraining(Copy& copy) {
        if (!copy.Program)
            copy.Program = std::make_unique<HistoryProgram>(copy.Settings, history);
        const Ending ending = copy.Parked ? GoOn(copy) : Play(copy);
        if (ending == Ending::Parked)
            return;
        seenLowest = std::min(seenLowest, copy.Program->HistoryLowest());
        if (ending == Ending::Killed) {
            Kill(copy);
            return;
        }
        if (ending == Ending::Closed || ++copy.TrainingsInRun == TrainingsPerRun)
            EndRun(copy);
    }

    // A new training of random guesses, up to the player's choice of ending.
    Ending Play(Copy& copy) {
        HistoryProgram& program = *copy.Program;
        TrainingRun& training = program.Training();
        if (player().KeepOffBeforeALosingEnd)
            program.Statistics().SetKeepHistory(true);
        training.Start();
        while (training.UnderWay()) {
            const int answered = training.DrawIndex();
            const bool behind = 2 * training.RightCount() < answered;
            const bool secondHalf = answered >= Peas / 2;
            if (player().ParkWhenBehind && behind && secondHalf && AnotherCopyIsFree(copy)) {
                copy.Parked = true;
                return Ending::Parked;
            }
            if (player().KillWhenBehind && behind && secondHalf)
                return Ending::Killed;
            if (player().RestartWhenRunBehind && secondHalf && program.RunBound() > 0.5)
                return Ending::Closed;
            if (player().KeepOffBeforeALosingEnd && answered == Peas - 1 && behind)
                program.Statistics().SetKeepHistory(false);
            Guess(training);
        }
        return Ending::Played;
    }

    // A parked training played to its end.
    Ending GoOn(Copy& copy) {
        copy.Parked = false;
        TrainingRun& training = copy.Program->Training();
        while (training.UnderWay())
            Guess(training);
        return Ending::Played;
    }

    void Guess(TrainingRun& training) {
        training.ProcessAnswer(guesses() % 2 == 0 ? Answer::Black : Answer::White);
    }

    bool AnotherCopyIsFree(const Copy& playing) const {
        for (const auto& copy : copies)
            if (copy.get() != &playing && !copy->Parked && copy->DeadUntilLine <= Lines())
                return true;
        return false;
    }

    // The program ends as a kill ends it: its journal stays as it was.
    void Kill(Copy& copy) {
        runs.Add(copy.Program->RunBound());
        copy.Program.reset();
        copy.TrainingsInRun = 0;
        if (player().HoldKilledJournal)
            HoldJournals();
        if (player().RestartKilledCopyLate)
            copy.DeadUntilLine = Lines() + 3;
    }

    // Another process of the player's takes the lock of every journal left.
    void HoldJournals() {
        for (const auto& entry : fs::directory_iterator(history.parent_path())) {
            if (entry.path().filename().string().find(".journal-") == std::string::npos)
                continue;
            auto fd = std::make_unique<FileDescriptor>(
                ::open(entry.path().c_str(), O_RDWR | O_CLOEXEC));
            if (fd->Get() >= 0 && ::flock(fd->Get(), LOCK_EX | LOCK_NB) == 0)
                held.push_back({std::move(fd), Lines() + player().HoldForLines});
        }
    }

    void ReleaseHeldJournals() {
        const int lines = Lines();
        std::erase_if(held, [lines](const HeldJournal& journal) { return journal.Until <= lines; });
    }

    // The user closes the program, and, in the player's way, maybe decides
    // what the next run keeps.
    void EndRun(Copy& copy) {
        HistoryProgram& program = *copy.Program;
        runs.Add(program.RunBound());
        if (player().KeepOnAfterAGoodRun) {
            const bool good = program.RunBound() <= 0.2;
            program.Statistics().SetKeepHistory(good);
            if (good)
                Play(copy);
            program.Statistics().SetKeepHistory(false);
        }
        program.Close();
        copy.Program.reset();
        copy.TrainingsInRun = 0;
    }

    void EndEveryCopy() {
        for (auto& copy : copies) {
            copy->Parked = false;
            if (copy->Program)
                EndRun(*copy);
        }
        held.clear();
    }

    int Lines() const { return static_cast<int>(HistoryFile(history).Load().Records.size()); }

    TOptions options;
    std::mt19937_64 seeds{1};
    std::mt19937_64 guesses{2};
    std::chrono::system_clock::time_point now =
        std::chrono::sys_days{std::chrono::year{2026} / 12 / 8};
    fs::path history;
    std::vector<std::unique_ptr<Copy>> copies;
    struct HeldJournal {
        std::unique_ptr<FileDescriptor> Lock;
        int Until = 0; // lines of the history
    };
    std::vector<HeldJournal> held;
    double seenLowest = 1;
    // The history's lowest and current readings as a later start reads them,
    // the lowest any copy showed while the history was played, and each
    // program run's figure.
    Shares lowest;
    Shares current;
    Shares seen;
    Shares runs;
};

// Histories of 20-pea trainings on a chance bucket, played by a player
// without intuition through the real training loop, journals and history
// file: none of the ways of choosing what the history holds, of playing
// copies side by side, of killing them and holding their journals brings the
// history's figure, or a run's, to 5 % or 1 % more often than that, beyond
// three standard errors. KVARZEL_HISTORY_RUNS plays more histories and
// prints the shares.
TEST_P(HistoryValidityTest, NoWayOfPlayingMakesTheFiguresLie) {
    const char* more = std::getenv("KVARZEL_HISTORY_RUNS");
    // Histories of 40 trainings, ten times a program run, take their time.
    const int count = more != nullptr ? std::atoi(more) : std::max(75, 1500 / player().HistoryLines);
    // The journals' syncs cost nothing on a file system in memory.
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    for (int played = 0; played < count; ++played) {
        const QTemporaryDir folder(QString::fromStdString((base / "kvarzel-validity-XXXXXX").string()));
        PlayHistory(fs::path(folder.path().toStdString()));
    }
    lowest.ExpectWithinTheLevels("the history's lowest reading");
    current.ExpectWithinTheLevels("the history's current reading");
    seen.ExpectWithinTheLevels("the lowest reading any copy showed");
    runs.ExpectWithinTheLevels("each run's figure");
    if (more != nullptr)
        std::printf("| %s | %s | %s | %s | %s (%d runs) |\n", player().Name, lowest.Text().c_str(),
                    current.Text().c_str(), seen.Text().c_str(), runs.Text().c_str(), runs.Count);
}

INSTANTIATE_TEST_SUITE_P(
    Adversaries, HistoryValidityTest,
    ::testing::Values(
        Player{.Name = "plays honestly"},
        Player{.Name = "keeping on after a good run", .KeepOnAfterAGoodRun = true},
        Player{.Name = "keeping off before a losing end", .KeepOffBeforeALosingEnd = true},
        Player{.Name = "kills when behind", .KillWhenBehind = true},
        Player{.Name = "restarts when the run is behind", .RestartWhenRunBehind = true},
        Player{.Name = "parks with 2 copies", .Copies = 2, .ParkWhenBehind = true},
        Player{.Name = "parks with 5 copies", .Copies = 5, .ParkWhenBehind = true},
        Player{.Name = "parks with 10 copies", .Copies = 10, .ParkWhenBehind = true},
        Player{.Name = "kills and holds the journal's lock",
               .KillWhenBehind = true,
               .HoldKilledJournal = true},
        Player{.Name = "kills one of 2 copies, restarted 3 trainings later",
               .Copies = 2,
               .KillWhenBehind = true,
               .RestartKilledCopyLate = true},
        Player{.Name = "plays 40 trainings honestly", .HistoryLines = 40},
        Player{.Name = "kills and holds the lock for 10 lines, over 40 trainings",
               .HistoryLines = 40,
               .KillWhenBehind = true,
               .HoldKilledJournal = true,
               .HoldForLines = 10},
        Player{.Name = "parks with 5 copies, kills, holds the lock, restarts, over 40",
               .Copies = 5,
               .HistoryLines = 40,
               .KillWhenBehind = true,
               .HoldKilledJournal = true,
               .HoldForLines = 10,
               .RestartWhenRunBehind = true,
               .ParkWhenBehind = true}));

} // namespace
} // namespace kvarzel::testing
