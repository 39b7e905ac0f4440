// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/evidence_summary.h"

#include <cmath>

namespace kvarzel {

void EvidenceSummary::Add(const TrainingRecord& record) {
    if (!Reading.Add(record))
        return;
    ++Trainings;
    if (!record.Evidence) {
        ++WithoutEvidence;
        return;
    }
    Total += record.Evidence->Total;
    Guesses += record.Answers.Guessed();
    RightAnswers += record.RightCount;
    if (record.Answers.Guessed() == 0)
        return;
    ++WithGuesses;
    if (record.Evidence->Total.LogBound() <= std::log(RowLevel))
        ++AtMostFivePercent;
}

} // namespace kvarzel
