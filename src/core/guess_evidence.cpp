// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/guess_evidence.h"

#include <algorithm>
#include <cmath>

namespace kvarzel {
namespace {

// ln(1 - p + p e^edge), the normaliser that makes each factor average to one.
double LogNormaliser(double nullChance, double edge) {
    return std::log1p(nullChance * std::expm1(edge));
}

} // namespace

void GuessEvidence::AddGuess(double nullChance, bool right) {
    const double p = std::clamp(nullChance, 0.0, 1.0);
    for (std::size_t bet = 0; bet < BetCount; ++bet)
        LogWealth[bet] += (right ? BetEdges[bet] : 0.0) - LogNormaliser(p, BetEdges[bet]);
    ExpectedRight += p;
    RightVariance += p * (1 - p);
}

GuessEvidence& GuessEvidence::operator+=(const GuessEvidence& later) {
    for (std::size_t bet = 0; bet < BetCount; ++bet)
        LogWealth[bet] += later.LogWealth[bet];
    ExpectedRight += later.ExpectedRight;
    RightVariance += later.RightVariance;
    return *this;
}

double GuessEvidence::LogMeanWealth() const {
    const double largest = *std::max_element(LogWealth.begin(), LogWealth.end());
    double sum = 0;
    for (std::size_t bet = 0; bet < BetCount; ++bet)
        sum += BetShares[bet] * std::exp(LogWealth[bet] - largest);
    return largest + std::log(sum);
}

double GuessEvidence::LogBound() const {
    return -std::max(0.0, LogMeanWealth());
}

void EvidenceTrack::AddGuess(double nullChance, bool right) {
    Total.AddGuess(nullChance, right);
}

void EvidenceTrack::Read() {
    ++Readings;
    LogLastReadWealth = Total.LogMeanWealth();
    if (LogLastReadWealth > LogPeakWealth) {
        LogPeakWealth = LogLastReadWealth;
        PeakReading = Readings;
    }
}

void EvidenceTrack::AddStretch(const GuessEvidence& stretch) {
    Total += stretch;
    Read();
}

double EvidenceTrack::Bound() const {
    return std::exp(LogBound());
}

} // namespace kvarzel
