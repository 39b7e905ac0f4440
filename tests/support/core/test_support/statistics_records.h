// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run_evidence.h"
#include "core/training.h"
#include "core/training_record.h"

#include <chrono>
#include <vector>

namespace kvarzel::testing {

// One guess as the evidence sees it: its null chance and whether it was right.
struct Guess {
    double NullChance = 0.5;
    bool Right = false;
};

// A training of a chance bucket made of these guesses and `timer` timer
// answers, with its own evidence, read at its end; every guess goes to `run`
// as well, which reads its figure there too.
inline TrainingRecord RecordOf(const std::vector<Guess>& guesses, RunEvidence& run, int minute,
                               bool abandoned = false, int timer = 0) {
    TrainingRecord record;
    record.Finished =
        std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::minutes{minute};
    static std::uint64_t made = 0;
    record.Start = TrainingStart{record.Finished - std::chrono::seconds{50},
                                 TrainingId{{static_cast<std::uint64_t>(minute), ++made}}};
    const auto answered = static_cast<std::int32_t>(guesses.size()) + timer;
    record.PeasCount = abandoned ? answered + 5 : answered;
    record.PeasRatio = 0;
    record.Bucket = {true, 0};
    record.Answers = {static_cast<std::int32_t>(guesses.size()), 0, timer};
    record.Abandoned = abandoned;
    EvidenceTrack evidence;
    for (const Guess& guess : guesses) {
        evidence.AddGuess(guess.NullChance, guess.Right);
        run.AddGuess(guess.NullChance, guess.Right);
        record.RightCount += guess.Right ? 1 : 0;
    }
    evidence.Read();
    run.EndTraining();
    record.Evidence = evidence;
    record.Percentage = ExactPercentage(record.RightCount, answered);
    return record;
}

// `right` right guesses of a coin, then `wrong` wrong ones.
inline std::vector<Guess> CoinGuesses(int right, int wrong) {
    std::vector<Guess> guesses(static_cast<std::size_t>(right), Guess{0.5, true});
    guesses.resize(guesses.size() + static_cast<std::size_t>(wrong), Guess{0.5, false});
    return guesses;
}

} // namespace kvarzel::testing
