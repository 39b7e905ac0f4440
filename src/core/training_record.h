// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/answer_mix.h"
#include "core/bucket.h"
#include "core/guess_evidence.h"
#include "core/training_id.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace kvarzel {

// When a training started, to the millisecond, and the id it drew then.
struct TrainingStart {
    std::chrono::system_clock::time_point Moment;
    TrainingId Id;

    bool operator==(const TrainingStart&) const = default;
};

// What a finished training leaves behind for its statistics: the settings it
// started with, how the bucket was filled and how the answers came.
struct TrainingRecord {
    // To the millisecond when the training has a start; to the second on a
    // line of an older history format.
    std::chrono::system_clock::time_point Finished;
    // Nothing on a line of an older history format, which kept neither.
    std::optional<TrainingStart> Start;
    std::int32_t PeasCount = 0;
    std::int32_t PeasRatio = 0;
    bool TimerEnabled = false;
    std::int32_t TimeInterval = 0;
    BucketMakeUp Bucket;
    AnswerMix Answers;
    std::int32_t RightCount = 0;
    double Percentage = 0;
    // Ended before its last pea: by a new start, by closing the program. Its
    // answers still count as evidence; it is no result of the run.
    bool Abandoned = false;
    // The evidence of the training's own guesses, its peak reached within the
    // training; nothing for a training read from an older history format.
    std::optional<EvidenceTrack> Evidence;

    bool operator==(const TrainingRecord&) const = default;
};

} // namespace kvarzel
