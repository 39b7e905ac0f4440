#pragma once

#include "core/bucket.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kvarzel {

// How the answers of a training came about: the user's white and black
// guesses, and the wrong answers the timer gave in the user's place.
struct AnswerMix {
    std::int32_t White = 0;
    std::int32_t Black = 0;
    std::int32_t Timer = 0;

    std::int32_t Total() const { return White + Black + Timer; }
    std::int32_t Guessed() const { return White + Black; }
    bool operator==(const AnswerMix&) const = default;
};

// One finished training as the chance model sees it.
struct TrainingOutcome {
    AnswerMix Answers;
    BucketMakeUp Bucket;
    std::int32_t Right = 0;
};

// The largest bucket the model accepts; the options dialog offers no more.
constexpr std::int32_t MaxChancePeas = 9999;

// False for an outcome no training can produce: negative counts, more peas
// than MaxChancePeas, more black peas than peas, more right answers than
// guesses.
bool IsPossibleOutcome(const TrainingOutcome& outcome);

// ln P(R = k), k = first..Guessed() (the first element is k = first), for the
// right answers R of someone guessing without any intuition with the same
// answer mix; minus infinity where R cannot be k. The mix and bucket must come
// from a possible outcome, and first must lie in 0..Guessed().
std::vector<double> RightCountLogDistribution(const AnswerMix& answers, const BucketMakeUp& bucket,
                                              std::int32_t first = 0);

// ln of the probability that a guesser gets at least as many right answers
// as this training had; nothing for an impossible outcome.
std::optional<double> TrainingLogChance(const TrainingOutcome& outcome);

// The same for the right answers of several trainings added up, each
// training guessed independently; nothing when any outcome is impossible.
std::optional<double> PooledLogChance(const std::vector<TrainingOutcome>& outcomes);

} // namespace kvarzel
