// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvarzel {

// Receives every completed training: the results page.
class TrainingResults {
public:
    virtual ~TrainingResults() = default;
    virtual void AddTrainingResult(double percentage, int trainingCount) = 0;
};

} // namespace kvarzel
