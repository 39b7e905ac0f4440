// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the chance figure by simulation through the program's own training
// loop, works its power out exactly where that can be done, and prints what
// the README's statistics section quotes:
//   kvarzel_evidence_power [scale]
// the power of the figure for a player right 60 % of the time on a chance
// bucket, two reference tests on the same kind of answers, and how often the
// figure comes out low for players without intuition. `scale` (default 1)
// multiplies the number of simulated trainings.
#include "core/guess_evidence.h"
#include "simulation/evidence_simulation.h"
#include "simulation/split_mix.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kvarzel::simulation {
namespace {

constexpr double SkilledChance = 0.6;
constexpr std::int32_t TrainingPeas = 100;

// ln of the binomial probability of k right answers out of n, each right
// with chance p.
double LogBinomial(std::int32_t n, std::int32_t k, double p) {
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) +
           k * std::log(p) + (n - k) * std::log1p(-p);
}

// The exact chance that a run of `trainings` trainings of `peas` peas on a
// chance bucket, each guess right with chance p, reads a figure of at most
// 5 % at the end of one of its trainings. On a chance bucket the figure read
// after t trainings depends only on the right answers so far, so the run is
// followed through the distribution of that count, among the runs that have
// not got there yet.
double ExactPower(std::int32_t trainings, std::int32_t peas, double p) {
    const double level = std::log(0.05);
    std::vector<double> notYet{1.0}; // by right answers so far
    double reached = 0;
    for (std::int32_t t = 1; t <= trainings; ++t) {
        const std::int32_t guesses = t * peas;
        std::vector<double> next(static_cast<std::size_t>(guesses) + 1, 0.0);
        for (std::size_t before = 0; before < notYet.size(); ++before)
            for (std::int32_t right = 0; right <= peas; ++right)
                next[before + static_cast<std::size_t>(right)] +=
                    notYet[before] * std::exp(LogBinomial(peas, right, p));
        for (std::int32_t right = 0; right <= guesses; ++right) {
            GuessEvidence evidence;
            for (std::int32_t guess = 0; guess < guesses; ++guess)
                evidence.AddGuess(0.5, guess < right);
            if (evidence.LogBound() <= level) {
                reached += next[static_cast<std::size_t>(right)];
                next[static_cast<std::size_t>(right)] = 0;
            }
        }
        notYet = std::move(next);
    }
    return reached;
}

// The smallest number of right answers out of n coin tosses that the
// fixed-length binomial test calls significant at 5 %.
std::int32_t BinomialThreshold(std::int32_t n) {
    std::vector<double> tail(static_cast<std::size_t>(n) + 2, 0.0);
    for (std::int32_t k = n; k >= 0; --k) {
        const double logChoose =
            std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
        tail[static_cast<std::size_t>(k)] =
            tail[static_cast<std::size_t>(k) + 1] + std::exp(logChoose - n * std::log(2.0));
    }
    std::int32_t threshold = n + 1;
    while (threshold > 0 && tail[static_cast<std::size_t>(threshold) - 1] <= 0.05)
        --threshold;
    return threshold;
}

// Tests on the same kind of answers, outside the program: a likelihood ratio
// that knows the 60 % in advance, read at its peak or, like the figure, at
// the training's end only, and the binomial test that may only be read at
// the end and only by a player who neither counts nor stops.
void PrintReferences(std::int64_t trainings) {
    SplitMix random(7);
    const double win = std::log(SkilledChance / 0.5);
    const double loss = std::log((1 - SkilledChance) / 0.5);
    const std::int32_t threshold = BinomialThreshold(TrainingPeas);
    std::int64_t ratioLow = 0, ratioEndLow = 0, binomialLow = 0;
    for (std::int64_t training = 0; training < trainings; ++training) {
        double logRatio = 0, peak = 0;
        std::int32_t right = 0;
        for (std::int32_t pea = 0; pea < TrainingPeas; ++pea) {
            const bool isRight = random.Chance(SkilledChance);
            right += isRight ? 1 : 0;
            logRatio += isRight ? win : loss;
            peak = std::max(peak, logRatio);
        }
        ratioLow += peak >= std::log(20.0) ? 1 : 0;
        ratioEndLow += logRatio >= std::log(20.0) ? 1 : 0;
        binomialLow += right >= threshold ? 1 : 0;
    }
    const auto share = [trainings](std::int64_t count) {
        return 100.0 * static_cast<double>(count) / static_cast<double>(trainings);
    };
    std::printf("  likelihood ratio knowing the 60 %%, read at its peak: %.1f %%\n",
                share(ratioLow));
    std::printf("  the same read at the training's end: %.1f %%\n", share(ratioEndLow));
    std::printf("  fixed-length binomial test (%d or more right): %.1f %%\n", threshold,
                share(binomialLow));
}

void PrintPower(std::int32_t scale) {
    const PlayerMaker skilled = [](std::uint64_t seed) {
        return MakeIntuitivePlayer(SkilledChance, seed);
    };
    const std::int32_t trainings = 20'000 * scale;
    const SimulationResult single = Simulate(skilled, {TrainingPeas, 0, 1}, trainings, 11);
    const std::int32_t runs = 4'000 * scale;
    const SimulationResult fives = Simulate(skilled, {TrainingPeas, 0, 5}, runs, 12);
    std::printf("A player right 60 %% of the time, chance bucket:\n");
    std::printf("  %d-pea trainings with a figure of at most 5 %%: %.1f %% (of %d)\n", TrainingPeas,
                100 * single.Trainings.Share5(), trainings);
    std::printf(
        "  runs of five such trainings with a run figure of at most 5 %%: %.1f %% (of %d)\n",
        100 * fives.Runs.Share5(), runs);
    std::printf("  the same, worked out exactly: %.2f %% of trainings, %.2f %% of runs of five\n",
                100 * ExactPower(1, TrainingPeas, SkilledChance),
                100 * ExactPower(5, TrainingPeas, SkilledChance));
    std::printf("The same answers, other tests:\n");
    PrintReferences(trainings);
}

void PrintShares(const char* what, const FigureShares& shares) {
    std::printf(" %s %5.2f %% %5.2f %% (%lld)", what, 100 * shares.Share5(), 100 * shares.Share1(),
                static_cast<long long>(shares.Count));
}

void PrintValidity(std::int32_t scale) {
    const BucketSetting settings[] = {
        {20, 0, 5}, {100, 20, 3}, {10, 10, 10}, {40, 3, 5}, {100, 15, 3}, {1000, 8, 1},
    };
    std::printf("\nPlayers without intuition: share of figures at most 5 %% and 1 %%\n");
    std::uint64_t seed = 100;
    for (const PlayerKind& player : PlayersWithoutIntuition()) {
        for (const BucketSetting& setting : settings) {
            // At least 2 000 runs, and some 200 000 pea draws, for every setting.
            const std::int32_t runs =
                std::max(2'000, 200'000 / (setting.PeasCount * setting.TrainingsPerRun)) * scale;
            const SimulationResult result = Simulate(player.Make, setting, runs, ++seed);
            std::printf("  %-16s %4d peas ratio %2d x%-2d", player.Name.c_str(), setting.PeasCount,
                        setting.PeasRatio, setting.TrainingsPerRun);
            if (!player.Abandons)
                PrintShares("trainings", result.Trainings);
            PrintShares(" runs", result.Runs);
            std::printf("\n");
        }
    }
}

} // namespace
} // namespace kvarzel::simulation

int main(int argc, char** argv) {
    const int scale = argc > 1 ? std::atoi(argv[1]) : 1;
    if (scale < 1) {
        std::fprintf(stderr, "usage: kvarzel_evidence_power [scale >= 1]\n");
        return 1;
    }
    kvarzel::simulation::PrintPower(scale);
    kvarzel::simulation::PrintValidity(scale);
    return 0;
}
