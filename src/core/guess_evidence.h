// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace kvarzel {

// The evidence that guesses carry against "no intuition at all".
//
// With no intuition a guess is right with the share of its colour among the
// peas still in the bucket (one half while the colours are left to chance),
// whatever the player has seen before. Every guess is then scored as a fair
// bet against that: the wealth of each bet is multiplied by q/p for a right
// guess and (1 - q)/(1 - p) for a wrong one, where p is that share and q the
// same share shifted up by a fixed edge in log-odds. With no intuition every
// factor averages to one, so each wealth, and their weighted mean, is a test
// martingale: the chance that the mean wealth ever reaches 1/a is at most a
// (Ville's inequality), however the player counts, stops guessing or starts
// again. One over the largest mean wealth reached is therefore a probability
// bound that stays true at any moment it is read, and at the moments chosen
// for reading it below.
//
// A timer answer is no guess and leaves every wealth as it is. A colour that
// is certain (p of 0 or 1) gives factors of exactly one: no evidence.

// The bets' edges in log-odds: 0.4 is a player right 60 % of the time where
// the null chance is one half. Several edges, from faint to strong, so that
// no single guess about the player's skill decides the power.
inline constexpr std::array<double, 7> BetEdges{0.15, 0.25, 0.35, 0.5, 0.7, 1.0, 2.0};
inline constexpr std::size_t BetCount = BetEdges.size();
// The share of the starting wealth each bet gets, in the order of BetEdges;
// they add up to one. The figure is read only when a training ends, so a
// 100-pea training can reach 5 % with no fewer than 63 right answers, whatever
// the bets: most of the wealth goes to the edges around 0.5 that get there,
// and a little to the strong edge 2.0, with which 10 of 10 right reads at or
// below 5 %. The faint edges keep some weight for long runs of a faint skill.
inline constexpr std::array<double, BetCount> BetShares{
    1 / 25.5, 2 / 25.5, 4 / 25.5, 10 / 25.5, 5 / 25.5, 2 / 25.5, 1.5 / 25.5};

// Sums over a stretch of guesses. Stretches add up in any order.
struct GuessEvidence {
    // ln of each bet's wealth factor over the stretch, in the order of BetEdges.
    std::array<double, BetCount> LogWealth{};
    // The right answers expected with no intuition (the sum of p), and their
    // variance (the sum of p(1 - p)).
    double ExpectedRight = 0;
    double RightVariance = 0;

    // One guess, answered with null chance p of being right (0 <= p <= 1).
    void AddGuess(double nullChance, bool right);
    GuessEvidence& operator+=(const GuessEvidence& later);
    // ln of the bets' wealths weighted by their shares.
    double LogMeanWealth() const;
    // The probability bound the stretch gives when it is read at its end,
    // and its natural logarithm: one over the mean wealth, at most one.
    double LogBound() const;

    bool operator==(const GuessEvidence&) const = default;
};

// The figure of a sequence of trainings. It is read when a training ends,
// finished or abandoned, and only then: a row, a run and a history all read
// their wealth at the same moments, so that the same answers give the same
// figure, and a training's own figure depends only on its answers, not on
// the order they came in. Reading at fewer moments than every guess keeps
// Ville's bound: the mean wealth is a test martingale whenever it is looked at.
struct EvidenceTrack {
    GuessEvidence Total;
    // ln of the largest mean wealth read; never below 0, the wealth it starts with.
    double LogPeakWealth = 0;
    // Readings taken so far, the one that gave the peak (0 while no reading
    // rose above the start), and ln of the mean wealth at the last one.
    int Readings = 0;
    int PeakReading = 0;
    double LogLastReadWealth = 0;

    // One guess; nothing is read.
    void AddGuess(double nullChance, bool right);
    // A training has ended: the mean wealth is read.
    void Read();
    // A whole training's stretch of guesses, read at its end.
    void AddStretch(const GuessEvidence& stretch);
    // The probability bound, 1 / peak, and its natural logarithm.
    double LogBound() const { return -LogPeakWealth; }
    double Bound() const;
    // The bound the last reading alone gives: where the figure stands now,
    // which may be weaker than its best.
    double LogLastBound() const { return -std::max(0.0, LogLastReadWealth); }

    bool operator==(const EvidenceTrack&) const = default;
};

} // namespace kvarzel
