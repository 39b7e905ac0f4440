// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run_evidence.h"

namespace kvarzel {

void RunEvidence::AddGuess(double nullChance, bool right) {
    track_.AddGuess(nullChance, right);
    course_.push_back(static_cast<float>(track_.Total.LogMeanWealth()));
}

void RunEvidence::EndTraining() {
    track_.Read();
    readingGuesses_.push_back(course_.size());
}

} // namespace kvarzel
