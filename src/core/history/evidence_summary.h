// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guess_evidence.h"
#include "core/training_record.h"

#include <chrono>

namespace kvarzel {

// The level the rows are counted at.
inline constexpr double RowLevel = 0.05;

// What the dialog's headline says about a set of trainings, gathered one
// training at a time, in the order they were played: adding one costs the
// same however many came before.
struct EvidenceSummary {
    // Each training's evidence as one stretch, the figure read at its end.
    EvidenceTrack Pooled;
    int Trainings = 0;
    // When the training whose end gave the lowest figure ended; which one it
    // was among those with evidence is Pooled.PeakReading.
    std::chrono::system_clock::time_point PeakFinished;
    // Lines of an older history format carry no evidence and are left out
    // of everything below.
    int WithoutEvidence = 0;
    // Trainings with at least one guess, and those of them whose own figure
    // is 5 % or less.
    int WithGuesses = 0;
    int AtMostFivePercent = 0;
    // Guesses and the right ones among them (a timer answer is never right).
    long long Guesses = 0;
    long long RightAnswers = 0;

    void Add(const TrainingRecord& record);
    // The rows at or below 5 % that chance alone gives, on average, at most.
    double ChanceRowsAtMostFivePercent() const { return RowLevel * WithGuesses; }
};

} // namespace kvarzel
