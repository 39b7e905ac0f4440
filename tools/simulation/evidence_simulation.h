// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/players.h"

#include <cstdint>

namespace kvarzel::simulation {

// The bucket every training of a simulated run is filled with, and how many
// trainings a run finishes.
struct BucketSetting {
    std::int32_t PeasCount = 20;
    std::int32_t PeasRatio = 0;
    std::int32_t TrainingsPerRun = 1;
};

// How often a figure came out at or below 5 % and 1 %.
struct FigureShares {
    std::int64_t Count = 0;
    std::int64_t AtMost5 = 0;
    std::int64_t AtMost1 = 0;

    void Add(double bound);
    double Share5() const;
    double Share1() const;
};

struct SimulationResult {
    // The own figure of every finished training.
    FigureShares Trainings;
    // The figure of every run, over all its guesses, abandoned ones included.
    FigureShares Runs;
    std::int64_t Guesses = 0;
};

// Plays `runs` runs through the program's own training loop, each with a new
// player made by `makePlayer`. The buckets come from the program's own random
// source, seeded by a simulated clock: the same seed gives the same result.
// Uses the process-wide options and clock while it runs and gives them back.
SimulationResult Simulate(const PlayerMaker& makePlayer, const BucketSetting& setting,
                          std::int32_t runs, std::uint64_t seed);

} // namespace kvarzel::simulation
