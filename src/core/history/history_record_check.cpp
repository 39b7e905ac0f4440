// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/history_record_check.h"

#include "core/bucket.h"
#include "core/training.h"

#include <algorithm>
#include <cmath>

namespace kvarzel {
namespace {

// A training abandoned during the sounds of its last answer holds all its
// answers and is still abandoned: it never ended.
bool AnswersAddUp(const TrainingRecord& record) {
    const std::int32_t answered = record.Answers.Total();
    if (record.Abandoned)
        return answered >= 1 && answered <= record.PeasCount;
    return answered == record.PeasCount;
}

// The percentage as the training works it out, compared exactly: a history
// line holds it in its shortest form that reads back to the same number.
bool PercentageFollows(const TrainingRecord& record) {
    return record.Percentage == ExactPercentage(record.RightCount, record.Answers.Total());
}

bool IsFinite(const EvidenceTrack& evidence) {
    const GuessEvidence& total = evidence.Total;
    return std::isfinite(total.ExpectedRight) && std::isfinite(total.RightVariance) &&
           std::isfinite(evidence.LogPeakWealth) &&
           std::all_of(total.LogWealth.begin(), total.LogWealth.end(),
                       [](double value) { return std::isfinite(value); });
}

// Each guess moves a bet's ln wealth by at most its edge: up by less than the
// edge when right, down by less than it when wrong. A timer answer is no
// guess and never right. Sums of many terms are allowed their rounding.
bool WithinWhatTheGuessesAllow(const EvidenceTrack& evidence, std::int32_t guesses,
                               std::int32_t right) {
    const double slack = 1e-9 * (1 + guesses);
    const GuessEvidence& total = evidence.Total;
    for (std::size_t bet = 0; bet < BetCount; ++bet) {
        const double logWealth = total.LogWealth[bet];
        if (logWealth > BetEdges[bet] * right + slack ||
            logWealth < -BetEdges[bet] * (guesses - right) - slack)
            return false;
    }
    const double largestEdge = *std::max_element(BetEdges.begin(), BetEdges.end());
    return total.ExpectedRight >= -slack && total.ExpectedRight <= guesses + slack &&
           total.RightVariance >= -slack && total.RightVariance <= guesses / 4.0 + slack &&
           evidence.LogPeakWealth >= 0 && evidence.LogPeakWealth <= largestEdge * right + slack;
}

bool EvidenceIsPossible(const TrainingRecord& record) {
    if (!record.Evidence)
        return true;
    return IsFinite(*record.Evidence) &&
           WithinWhatTheGuessesAllow(*record.Evidence, record.Answers.Guessed(), record.RightCount);
}

} // namespace

bool IsPossibleTraining(const TrainingRecord& record) {
    return record.PeasCount >= 1 && record.PeasCount <= MaxTrainingPeas &&
           record.Bucket == BucketFor(record.PeasCount, record.PeasRatio) && AnswersAddUp(record) &&
           record.RightCount <= record.Answers.Guessed() && PercentageFollows(record) &&
           EvidenceIsPossible(record);
}

} // namespace kvarzel
