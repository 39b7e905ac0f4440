#pragma once

#include "core/chance_model.h"

#include <chrono>
#include <cstdint>

namespace kvarzel {

// What a finished training leaves behind for its statistics: the settings it
// started with, how the bucket was filled and how the answers came.
struct TrainingRecord {
    std::chrono::system_clock::time_point Finished;
    std::int32_t PeasCount = 0;
    std::int32_t PeasRatio = 0;
    bool TimerEnabled = false;
    std::int32_t TimeInterval = 0;
    BucketMakeUp Bucket;
    AnswerMix Answers;
    std::int32_t RightCount = 0;
    double Percentage = 0;

    TrainingOutcome Outcome() const { return {Answers, Bucket, RightCount}; }
    bool operator==(const TrainingRecord&) const = default;
};

} // namespace kvarzel
