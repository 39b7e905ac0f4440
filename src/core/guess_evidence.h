// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
// factor averages to one, so each wealth, and their mean, is a test
// martingale: the chance that the mean wealth ever reaches 1/a is at most a
// (Ville's inequality), however the player counts, stops guessing or starts
// again. One over the largest mean wealth reached is therefore a probability
// bound that stays true at any moment it is read.
//
// A timer answer is no guess and leaves every wealth as it is. A colour that
// is certain (p of 0 or 1) gives factors of exactly one: no evidence.

// The bets' edges in log-odds: 0.4 is a player right 60 % of the time where
// the null chance is one half. Several edges, from faint to strong, so that
// no single guess about the player's skill decides the power.
inline constexpr std::array<double, 6> BetEdges{0.15, 0.25, 0.35, 0.5, 0.7, 1.0};
inline constexpr std::size_t BetCount = BetEdges.size();

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
    // ln of the mean of the bets' wealths.
    double LogMeanWealth() const;

    bool operator==(const GuessEvidence&) const = default;
};

// A stretch of guesses with the largest mean wealth reached along it.
struct EvidenceTrack {
    GuessEvidence Total;
    // ln of the largest mean wealth reached; never below 0, the wealth it starts with.
    double LogPeakWealth = 0;

    // One guess: the peak is checked after it.
    void AddGuess(double nullChance, bool right);
    // A whole stretch whose course is not known: the peak is checked at its
    // end only, which keeps the bound valid, if weaker.
    void AddStretch(const GuessEvidence& stretch);
    // The probability bound, 1 / peak, and its natural logarithm.
    double LogBound() const { return -LogPeakWealth; }
    double Bound() const;

    bool operator==(const EvidenceTrack&) const = default;
};

} // namespace kvarzel
