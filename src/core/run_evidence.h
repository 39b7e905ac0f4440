// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guess_evidence.h"

#include <cstddef>
#include <vector>

namespace kvarzel {

// The evidence of every guess of a run, in the order they were made, across
// its trainings, abandoned ones included: the run's figure is read at the
// end of each of them.
class RunEvidence {
public:
    void AddGuess(double nullChance, bool right);
    // A training of the run has ended, finished or abandoned: the figure is read.
    void EndTraining();

    const EvidenceTrack& Track() const { return track_; }
    // ln of the mean wealth after each guess of the run, for drawing its course.
    const std::vector<float>& LogWealthCourse() const { return course_; }
    // The guesses made by each reading, in order: where the figure was read.
    const std::vector<std::size_t>& ReadingGuesses() const { return readingGuesses_; }

private:
    EvidenceTrack track_;
    std::vector<float> course_;
    std::vector<std::size_t> readingGuesses_;
};

} // namespace kvarzel
