// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/evidence_summary.h"

namespace kvarzel {

void EvidenceSummary::Add(const TrainingRecord& record) {
    ++Trainings;
    if (!record.Evidence) {
        ++WithoutEvidence;
        return;
    }
    Pooled.AddStretch(record.Evidence->Total);
    Guesses += record.Answers.Guessed();
    RightAnswers += record.RightCount;
    if (record.Answers.Guessed() == 0)
        return;
    ++WithGuesses;
    if (record.Evidence->Bound() <= RowLevel)
        ++AtMostFivePercent;
}

} // namespace kvarzel
