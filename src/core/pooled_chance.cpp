// The chance of a whole run: the right answers of all its trainings added up.
//
// The sum's distribution is the convolution of the trainings' distributions.
// Far-off results have tiny probabilities that plain sums would lose, so
// every distribution is first tilted by e^(theta k), with theta chosen to
// move the sum's mean onto the observed total. The terms that matter then sit
// next to their peaks, the rest can be dropped, and the tail is untilted at
// the end. The result is exact up to rounding.
#include "core/chance_model.h"

#include "core/log_choose.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kvarzel {
namespace {

constexpr double MinusInfinity = -std::numeric_limits<double>::infinity();
constexpr double NegligibleLog = -60;
// Beyond this tilt the top of every distribution outweighs the rest anyway.
constexpr double MaxTilt = 1000;

// Probabilities e^(Scale) * Values[i] for the counts First + i.
struct ScaledDistribution {
    std::int64_t First = 0;
    double Scale = 0;
    std::vector<double> Values;
};

double MaxOf(const std::vector<double>& values) {
    return values.empty() ? MinusInfinity : *std::max_element(values.begin(), values.end());
}

double TiltedMean(const std::vector<double>& logDistribution, double tilt) {
    double top = MinusInfinity;
    for (std::size_t k = 0; k < logDistribution.size(); ++k)
        top = std::max(top, logDistribution[k] + tilt * static_cast<double>(k));
    double weight = 0;
    double weightedSum = 0;
    for (std::size_t k = 0; k < logDistribution.size(); ++k) {
        const double term = std::exp(logDistribution[k] + tilt * static_cast<double>(k) - top);
        weight += term;
        weightedSum += term * static_cast<double>(k);
    }
    return weightedSum / weight;
}

double SumOfMeans(const std::vector<std::vector<double>>& distributions, double tilt) {
    double sum = 0;
    for (const auto& distribution : distributions)
        sum += TiltedMean(distribution, tilt);
    return sum;
}

// The tilt that moves the mean of the sum onto the observed total.
double TiltFor(const std::vector<std::vector<double>>& distributions, double total) {
    if (SumOfMeans(distributions, 0) >= total)
        return 0;
    double low = 0;
    double high = 1;
    while (high < MaxTilt && SumOfMeans(distributions, high) < total) {
        low = high;
        high *= 2;
    }
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2;
        (SumOfMeans(distributions, middle) < total ? low : high) = middle;
    }
    return high;
}

// Drops the negligible ends and scales the peak to one.
ScaledDistribution Trimmed(std::int64_t first, double scale, const std::vector<double>& logs) {
    const double top = MaxOf(logs);
    auto matters = [top](double value) { return value - top >= NegligibleLog; };
    const auto begin = std::find_if(logs.begin(), logs.end(), matters);
    const auto end = std::find_if(logs.rbegin(), logs.rend(), matters).base();
    ScaledDistribution result{first + (begin - logs.begin()), scale + top, {}};
    for (auto it = begin; it < end; ++it)
        result.Values.push_back(std::exp(*it - top));
    return result;
}

ScaledDistribution Tilted(const std::vector<double>& logDistribution, double tilt) {
    std::vector<double> logs(logDistribution.size());
    for (std::size_t k = 0; k < logs.size(); ++k)
        logs[k] = logDistribution[k] + tilt * static_cast<double>(k);
    return Trimmed(0, 0, logs);
}

ScaledDistribution Convolved(const ScaledDistribution& a, const ScaledDistribution& b) {
    std::vector<double> sum(a.Values.size() + b.Values.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.Values.size(); ++i)
        for (std::size_t j = 0; j < b.Values.size(); ++j)
            sum[i + j] += a.Values[i] * b.Values[j];
    std::vector<double> logs(sum.size());
    std::transform(sum.begin(), sum.end(), logs.begin(),
                   [](double value) { return value > 0 ? std::log(value) : MinusInfinity; });
    return Trimmed(a.First + b.First, a.Scale + b.Scale, logs);
}

// ln P(sum >= total), undoing the tilt term by term.
double UntiltedTail(const ScaledDistribution& sum, double tilt, std::int64_t total) {
    double result = MinusInfinity;
    for (std::size_t i = 0; i < sum.Values.size(); ++i) {
        const std::int64_t count = sum.First + static_cast<std::int64_t>(i);
        if (count >= total && sum.Values[i] > 0)
            result = LogAddExp(result, std::log(sum.Values[i]) - tilt * static_cast<double>(count));
    }
    return result + sum.Scale;
}

} // namespace

std::optional<double> PooledLogChance(const std::vector<TrainingOutcome>& outcomes) {
    std::vector<std::vector<double>> distributions;
    std::int64_t total = 0;
    for (const TrainingOutcome& outcome : outcomes) {
        if (!IsPossibleOutcome(outcome))
            return std::nullopt;
        distributions.push_back(RightCountLogDistribution(outcome.Answers, outcome.Bucket));
        total += outcome.Right;
    }
    if (total <= 0)
        return 0.0;
    const double tilt = TiltFor(distributions, static_cast<double>(total));
    ScaledDistribution sum{0, 0, {1.0}};
    for (const auto& distribution : distributions)
        sum = Convolved(sum, Tilted(distribution, tilt));
    return std::min(UntiltedTail(sum, tilt, total), 0.0);
}

} // namespace kvarzel
