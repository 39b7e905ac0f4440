// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/statistics_settings.h"
#include "core/training.h"
#include "core/utc_clock.h"
#include "platform/files/history_file.h"
#include "test_support/memory_registry_store.h"
#include "test_support/recording_training_view.h"
#include "core/history/evidence_summary.h"
#include "ui/statistics/training_statistics.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// The program as far as the history goes, on a settings store and a history
// file that outlive it: each "program run" is a new window and new statistics,
// as a new start of the program makes them.
class ProgramRun : public RecordingTrainingView {
public:
    ProgramRun(RegistryStore& settings, const fs::path& history)
        : statistics_(&settings, HistoryFile(history), training_.Evidence()) {
        statistics_.ReadHistory();
    }
    void ShowAnswerButtons() override {}
    void ArmAnswerTimer(int, bool) override {}
    void SetAnswerTimerEnabled(bool) override {}
    void ShowSignal(bool, int) override {}
    void ProcessPendingEvents() override {}
    void ClearAnswerBold() override {}
    void ShowResultMessage(const std::string&) override {}
    void AddResult(double, int) override {}
    void HideAnswerControls() override {}
    void TrainingStarted(const TrainingRecord& started) override { statistics_.StartTraining(started); }
    void TrainingAnswered(const TrainingRecord& soFar) override {
        statistics_.TrainingAnswered(soFar);
        statistics_.WriteAnswer(); // as the event loop does after the paint
    }
    void RecordTraining(const TrainingRecord& record) override { statistics_.AddTraining(record); }

    TrainingRun& Training() { return training_; }
    TrainingStatistics& Statistics() { return statistics_; }
    double RunBound() const { return training_.Evidence().Track().Bound(); }
    // The user closes the program: the training under way is abandoned.
    void Close() { training_.Abandon(); }

private:
    TrainingRun training_{*this};
    TrainingStatistics statistics_;
};

// How a player without intuition tries to make the history look good.
enum class Adversary {
    Honest,
    KeepOnAfterAGoodRun,    // keeping off; turned on only when the run went well
    KeepOffBeforeALosingEnd, // turned off before the last pea of a training going badly
    KillWhenBehind,         // kills the program while a training goes badly
    RestartWhenRunBehind,   // closes and starts the program while its run is behind
};

const char* const AdversaryNames[] = {"honest", "keeping on after a good run",
                                      "keeping off before a losing end", "kill when behind",
                                      "restart when the run is behind"};

// How a program run's training ended.
enum class Ending { Played, Killed, Closed };

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
};

constexpr int Peas = 20;
constexpr int HistoryTrainings = 10;
constexpr int TrainingsPerRun = 3;

class HistoryValidityTest : public ::testing::TestWithParam<Adversary> {
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
            const auto millisecond = static_cast<int>(clock() % 86'400'000);
            return UtcTimeOfDay{millisecond / 3'600'000, millisecond / 60'000 % 60,
                                millisecond / 1000 % 60, millisecond % 1000};
        });
    }
    void TearDown() override {
        SetUtcTimeOfDaySource({});
        Options = nullptr;
    }

    // A history played by the adversary up to HistoryTrainings lines (or a
    // bound on the trainings played); its figure, and each program run's.
    void PlayHistory(Adversary adversary, const fs::path& history) {
        MemoryRegistryStore settings;
        SaveKeepHistory(&settings, adversary != Adversary::KeepOnAfterAGoodRun);
        for (int played = 0; played < 20 * HistoryTrainings && Lines(history) < HistoryTrainings;) {
            auto program = std::make_unique<ProgramRun>(settings, history);
            Ending ending = Ending::Played;
            for (int training = 0; training < TrainingsPerRun && ending == Ending::Played;
                 ++training, ++played)
                ending = PlayTraining(adversary, *program);
            runs.Add(program->RunBound());
            if (adversary == Adversary::KeepOnAfterAGoodRun) {
                const bool good = program->RunBound() <= 0.2;
                program->Statistics().SetKeepHistory(good);
                if (good) {
                    PlayTraining(adversary, *program);
                    ++played;
                }
                program->Statistics().SetKeepHistory(false);
            }
            if (ending != Ending::Killed)
                program->Close();
            // A kill leaves the journal of the training under way as it was.
        }
        EvidenceSummary summary;
        for (const TrainingRecord& line : HistoryFile(history).Load().Records)
            summary.Add(line);
        histories.Add(std::exp(summary.Reading.LogLowestBound()));
    }

    // One training of random guesses, unless the program is killed or closed during it.
    Ending PlayTraining(Adversary adversary, ProgramRun& program) {
        TrainingRun& training = program.Training();
        if (adversary == Adversary::KeepOffBeforeALosingEnd)
            program.Statistics().SetKeepHistory(true);
        training.Start();
        while (training.UnderWay()) {
            const int answered = training.DrawIndex();
            const bool behind = 2 * training.RightCount() < answered;
            if (adversary == Adversary::KillWhenBehind && behind && answered >= Peas / 2)
                return Ending::Killed;
            if (adversary == Adversary::RestartWhenRunBehind && answered >= Peas / 2 &&
                program.RunBound() > 0.5)
                return Ending::Closed;
            if (adversary == Adversary::KeepOffBeforeALosingEnd && answered == Peas - 1 && behind)
                program.Statistics().SetKeepHistory(false);
            training.ProcessAnswer(guess() % 2 == 0 ? Answer::Black : Answer::White);
        }
        return Ending::Played;
    }

    static int Lines(const fs::path& history) {
        return static_cast<int>(HistoryFile(history).Load().Records.size());
    }

    TOptions options;
    std::mt19937_64 clock{1};
    std::mt19937_64 guess{2};
    Shares histories;
    Shares runs;
};

// Histories of ten 20-pea trainings on a chance bucket, played by a player
// without intuition through the real training loop, journals and history
// file: none of the ways of choosing what the history holds brings its
// figure, or a run's, to 5 % or 1 % more often than that, beyond three
// standard errors. KVARZEL_HISTORY_RUNS plays more histories and prints the
// shares.
TEST_P(HistoryValidityTest, NoChoiceOfWhatIsKeptMakesTheFiguresLie) {
    const char* more = std::getenv("KVARZEL_HISTORY_RUNS");
    const int count = more != nullptr ? std::atoi(more) : 150;
    // The journals' syncs cost nothing on a file system in memory.
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    for (int history = 0; history < count; ++history) {
        const QTemporaryDir folder(QString::fromStdString((base / "kvarzel-validity-XXXXXX").string()));
        PlayHistory(GetParam(), fs::path(folder.path().toStdString()) / "history.csv");
    }
    const auto limit = [](double level, int count) {
        return level + 3 * std::sqrt(level * (1 - level) / count);
    };
    EXPECT_LE(histories.Share(histories.AtMost5), limit(0.05, histories.Count));
    EXPECT_LE(histories.Share(histories.AtMost1), limit(0.01, histories.Count));
    EXPECT_LE(runs.Share(runs.AtMost5), limit(0.05, runs.Count));
    EXPECT_LE(runs.Share(runs.AtMost1), limit(0.01, runs.Count));
    if (more != nullptr)
        std::printf("| %s | %d histories: %.2f %% / %.2f %% | %d runs: %.2f %% / %.2f %% |\n",
                    AdversaryNames[static_cast<int>(GetParam())], histories.Count,
                    100 * histories.Share(histories.AtMost5), 100 * histories.Share(histories.AtMost1),
                    runs.Count, 100 * runs.Share(runs.AtMost5), 100 * runs.Share(runs.AtMost1));
}

INSTANTIATE_TEST_SUITE_P(Adversaries, HistoryValidityTest,
                         ::testing::Values(Adversary::Honest, Adversary::KeepOnAfterAGoodRun,
                                           Adversary::KeepOffBeforeALosingEnd,
                                           Adversary::KillWhenBehind,
                                           Adversary::RestartWhenRunBehind));

} // namespace
} // namespace kvarzel::testing
