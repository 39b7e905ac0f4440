// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/evidence_simulation.h"

#include "core/bucket.h"
#include "core/options.h"
#include "core/training.h"
#include "core/utc_clock.h"
#include "simulation/split_mix.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace kvarzel::simulation {
namespace {

// A window that shows nothing and keeps the figures of finished trainings.
class SimulationView : public TrainingView {
public:
    std::vector<double> FinishedBounds;

    void ShowAnswerButtons() override {}
    void ArmAnswerTimer(int, bool) override {}
    void SetAnswerTimerEnabled(bool) override {}
    void ShowSignal(bool, int) override {}
    void ProcessPendingEvents() override {}
    void SetAnswerButtonsEnabled(bool) override {}
    void Beep(int, int) override {}
    void PlayWave(const std::string&) override {}
    void ClearAnswerBold() override {}
    void ShowResultMessage(const std::string&) override {}
    void AddResult(double, int) override {}
    void RecordTraining(const TrainingRecord& record) override {
        if (!record.Abandoned)
            FinishedBounds.push_back(std::exp(record.Evidence->Total.LogBound()));
    }
    void HideAnswerControls() override {}
};

// The program's options and clock for the simulation, given back at its end.
class SimulatedWorld {
public:
    SimulatedWorld(const BucketSetting& setting, std::uint64_t seed) : previous_(Options) {
        options_.PeasCount = setting.PeasCount;
        options_.PeasRatio = setting.PeasRatio;
        options_.TimerEnabled = false;
        options_.BeepWrong = false;
        options_.WaveWrong = false;
        Options = &options_;
        // Every start reads a new moment of the day, so every bucket gets a seed of its own.
        SetUtcTimeOfDaySource([clock = std::make_shared<SplitMix>(seed)] {
            const auto millisecond = static_cast<int>(clock->Next() % 86'400'000);
            return UtcTimeOfDay{millisecond / 3'600'000, millisecond / 60'000 % 60,
                                millisecond / 1000 % 60, millisecond % 1000};
        });
    }
    ~SimulatedWorld() {
        SetUtcTimeOfDaySource({});
        Options = previous_;
    }
    SimulatedWorld(const SimulatedWorld&) = delete;
    SimulatedWorld& operator=(const SimulatedWorld&) = delete;

private:
    TOptions options_;
    TOptions* previous_;
};

// Plays one training until it ends or the player starts again; returns the
// guesses made.
std::int64_t PlayTraining(TrainingRun& training, Player& player, BucketMakeUp bucket) {
    Situation situation;
    situation.PeasCount = training.PeasCount();
    situation.ByChance = bucket.ByChance;
    situation.BlackPeas = bucket.BlackPeas;
    std::int64_t guesses = 0;
    while (training.UnderWay()) {
        const bool nextIsBlack = training.Peas()[static_cast<std::size_t>(training.DrawIndex())];
        // What the figures would read if the training ended now.
        const EvidenceTrack& run = training.Evidence().Track();
        situation.TrainingBound = std::exp(training.TrainingEvidence().Total.LogBound());
        situation.RunBound = std::exp(std::min(run.LogBound(), run.Total.LogBound()));
        situation.NextIsBlack = nextIsBlack;
        const Move move = player.Next(situation);
        if (move == Move::Restart)
            return guesses;
        if (move == Move::Timer) {
            training.TimerAnswer();
        } else {
            training.ProcessAnswer(move == Move::Black ? Answer::Black : Answer::White);
            ++guesses;
        }
        ++situation.Drawn;
        situation.DrawnBlack += nextIsBlack ? 1 : 0;
        situation.RightCount = training.RightCount();
    }
    return guesses;
}

} // namespace

void FigureShares::Add(double bound) {
    ++Count;
    AtMost5 += bound <= 0.05 ? 1 : 0;
    AtMost1 += bound <= 0.01 ? 1 : 0;
}

double FigureShares::Share5() const {
    return Count == 0 ? 0.0 : static_cast<double>(AtMost5) / static_cast<double>(Count);
}

double FigureShares::Share1() const {
    return Count == 0 ? 0.0 : static_cast<double>(AtMost1) / static_cast<double>(Count);
}

SimulationResult Simulate(const PlayerMaker& makePlayer, const BucketSetting& setting,
                          std::int32_t runs, std::uint64_t seed) {
    const SimulatedWorld world(setting, seed);
    const BucketMakeUp bucket = BucketFor(setting.PeasCount, setting.PeasRatio);
    SplitMix playerSeeds(~seed);
    SimulationResult result;
    for (std::int32_t run = 0; run < runs; ++run) {
        SimulationView view;
        TrainingRun training(view);
        const std::unique_ptr<Player> player = makePlayer(playerSeeds.Next());
        while (training.TrainingCount() < setting.TrainingsPerRun) {
            training.Start();
            result.Guesses += PlayTraining(training, *player, bucket);
        }
        result.Runs.Add(training.Evidence().Track().Bound());
        for (const double bound : view.FinishedBounds)
            result.Trainings.Add(bound);
    }
    return result;
}

} // namespace kvarzel::simulation
