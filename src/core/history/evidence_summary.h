// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guess_evidence.h"
#include "core/history/history_reading.h"
#include "core/training_record.h"

namespace kvarzel {

// The level the rows are counted at.
inline constexpr double RowLevel = 0.05;

// What the dialog's headline says about a set of trainings: their figure,
// read in real time (see HistoryReading), and counts that do not depend on
// the order. Adding a training that ended after all others costs the same
// however many came before.
struct EvidenceSummary {
    HistoryReading Reading;
    // Every guess of the trainings, read or still waiting.
    GuessEvidence Total;
    int Trainings = 0;
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

    // A training, in the order of the file; one already in (the same id)
    // changes nothing.
    void Add(const TrainingRecord& record);
    // The rows at or below 5 % that chance alone gives, on average, at most.
    double ChanceRowsAtMostFivePercent() const { return RowLevel * WithGuesses; }
};

} // namespace kvarzel
