#pragma once

#include "core/answer_mix.h"
#include "core/bucket.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kvarzel {

// One finished training as the chance model sees it.
struct TrainingOutcome {
    AnswerMix Answers;
    BucketMakeUp Bucket;
    std::int32_t Right = 0;
};

// The largest bucket the model accepts; the options dialog offers no more.
constexpr std::int32_t MaxChancePeas = MaxTrainingPeas;

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
