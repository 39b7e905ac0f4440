// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guess_evidence.h"

#include <vector>

namespace kvarzel {

// The evidence of every guess of a run, in the order they were made, across
// its trainings, abandoned ones included: the run's figure is read from its
// peak, which may be reached at any guess.
class RunEvidence {
public:
    void AddGuess(double nullChance, bool right);

    const EvidenceTrack& Track() const { return track_; }
    // ln of the mean wealth after each guess of the run, for drawing its course.
    const std::vector<float>& LogWealthCourse() const { return course_; }

private:
    EvidenceTrack track_;
    std::vector<float> course_;
};

} // namespace kvarzel
