// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// The largest bucket a training fills; the options dialog offers no more.
constexpr std::int32_t MaxTrainingPeas = 9999;

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

} // namespace kvarzel
