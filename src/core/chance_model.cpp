#include "core/chance_model.h"

#include "core/log_choose.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kvarzel {
namespace {

constexpr double MinusInfinity = -std::numeric_limits<double>::infinity();

std::int32_t FloorDiv2(std::int32_t value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

std::int32_t CeilDiv2(std::int32_t value) {
    return -FloorDiv2(-value);
}

std::vector<double> CoinTossDistribution(std::int32_t guessed, std::int32_t first) {
    const LogChoose logChoose(guessed);
    const long double allArrangements = guessed * std::numbers::ln2_v<long double>;
    std::vector<double> result;
    result.reserve(static_cast<std::size_t>(guessed - first) + 1);
    for (std::int32_t k = first; k <= guessed; ++k)
        result.push_back(static_cast<double>(logChoose(guessed, k) - allArrangements));
    return result;
}

// The ways to get exactly k right with `blacks` black peas in the bucket,
// indexed by x, the black peas that met a white guess. Then k - White + x
// black peas met a black guess and the rest met the timer. The logarithm of
// the count is concave in x, so the terms rise to one peak and fall.
class RightWays {
public:
    RightWays(const AnswerMix& answers, std::int32_t blacks, std::int32_t right,
              const LogChoose& logChoose)
        : answers_(answers), blacks_(blacks), right_(right), logChoose_(logChoose) {}

    long double LogTerm(std::int32_t x) const {
        const std::int32_t blackGuessesRight = right_ - answers_.White + x;
        const std::int32_t timerBlacks = blacks_ - x - blackGuessesRight;
        return logChoose_(answers_.White, x) + logChoose_(answers_.Black, blackGuessesRight) +
               logChoose_(answers_.Timer, timerBlacks);
    }

    std::int32_t First() const {
        return std::max({0, answers_.White - right_,
                         CeilDiv2(blacks_ + answers_.White - right_ - answers_.Timer)});
    }

    std::int32_t Last() const {
        return std::min({answers_.White, answers_.White - right_ + answers_.Black,
                         FloorDiv2(blacks_ + answers_.White - right_)});
    }

    // ln of the sum of all terms: from the peak outwards until they no longer
    // matter, each term from its neighbour by the ratio of the counts.
    long double LogSum() const {
        const std::int32_t first = First();
        const std::int32_t last = Last();
        if (first > last)
            return -std::numeric_limits<long double>::infinity();
        const std::int32_t peak = Peak(first, last);
        double sum = 1;
        double term = 1;
        for (std::int32_t x = peak; x > first && term >= NegligibleTerm; --x) {
            term *= DownRatio(x);
            sum += term;
        }
        term = 1;
        for (std::int32_t x = peak; x < last && term >= NegligibleTerm; ++x) {
            term *= UpRatio(x);
            sum += term;
        }
        return LogTerm(peak) + std::log(sum);
    }

private:
    // Terms this small beside the peak's 1 change no digit of a double's sum.
    static constexpr double NegligibleTerm = 1e-26;

    struct Counts {
        double White, Black, Timer; // black peas that met each kind of answer
    };

    Counts CountsAt(std::int32_t x) const {
        const std::int32_t blackGuessesRight = right_ - answers_.White + x;
        return {static_cast<double>(x), static_cast<double>(blackGuessesRight),
                static_cast<double>(blacks_ - x - blackGuessesRight)};
    }

    // Term(x + 1) / Term(x): one more black pea on a white and on a black
    // guess, two fewer on the timer.
    double UpRatio(std::int32_t x) const {
        const Counts at = CountsAt(x);
        const double w = answers_.White, b = answers_.Black, t = answers_.Timer;
        return (w - at.White) / (at.White + 1) * (b - at.Black) / (at.Black + 1) *
               (at.Timer * (at.Timer - 1)) / ((t - at.Timer + 1) * (t - at.Timer + 2));
    }

    // Term(x - 1) / Term(x).
    double DownRatio(std::int32_t x) const {
        const Counts at = CountsAt(x);
        const double w = answers_.White, b = answers_.Black, t = answers_.Timer;
        return at.White / (w - at.White + 1) * at.Black / (b - at.Black + 1) *
               ((t - at.Timer) * (t - at.Timer - 1)) / ((at.Timer + 1) * (at.Timer + 2));
    }

    // The first x whose successor is no larger: the peak of a concave sequence.
    std::int32_t Peak(std::int32_t first, std::int32_t last) const {
        while (first < last) {
            const std::int32_t middle = first + (last - first) / 2;
            if (LogTerm(middle + 1) > LogTerm(middle))
                first = middle + 1;
            else
                last = middle;
        }
        return first;
    }

    const AnswerMix& answers_;
    std::int32_t blacks_;
    std::int32_t right_;
    const LogChoose& logChoose_;
};

std::vector<double> ExactBucketDistribution(const AnswerMix& answers, std::int32_t blacks,
                                            std::int32_t first) {
    const std::int32_t peas = answers.Total();
    const LogChoose logChoose(peas);
    const long double allArrangements = logChoose(peas, blacks);
    std::vector<double> result;
    result.reserve(static_cast<std::size_t>(answers.Guessed() - first) + 1);
    for (std::int32_t k = first; k <= answers.Guessed(); ++k) {
        const RightWays ways(answers, blacks, k, logChoose);
        result.push_back(static_cast<double>(ways.LogSum() - allArrangements));
    }
    return result;
}

// ln of the sum of the probabilities.
double LogTotal(const std::vector<double>& logProbabilities) {
    double result = MinusInfinity;
    for (const double logProbability : logProbabilities)
        result = LogAddExp(result, logProbability);
    // Rounding must not make a certainty more than certain.
    return std::min(result, 0.0);
}

} // namespace

bool IsPossibleOutcome(const TrainingOutcome& outcome) {
    const AnswerMix& answers = outcome.Answers;
    if (answers.White < 0 || answers.Black < 0 || answers.Timer < 0)
        return false;
    if (answers.White > MaxChancePeas || answers.Black > MaxChancePeas ||
        answers.Timer > MaxChancePeas || answers.Total() > MaxChancePeas)
        return false;
    if (!outcome.Bucket.ByChance &&
        (outcome.Bucket.BlackPeas < 0 || outcome.Bucket.BlackPeas > answers.Total()))
        return false;
    return outcome.Right >= 0 && outcome.Right <= answers.Guessed();
}

std::vector<double> RightCountLogDistribution(const AnswerMix& answers, const BucketMakeUp& bucket,
                                              std::int32_t first) {
    // A timer answer is always wrong; a guess is right for exactly one colour.
    if (bucket.ByChance)
        return CoinTossDistribution(answers.Guessed(), first);
    return ExactBucketDistribution(answers, bucket.BlackPeas, first);
}

// Only the tail is worked out: below the right answers nothing counts.
std::optional<double> TrainingLogChance(const TrainingOutcome& outcome) {
    if (!IsPossibleOutcome(outcome))
        return std::nullopt;
    return LogTotal(RightCountLogDistribution(outcome.Answers, outcome.Bucket, outcome.Right));
}

} // namespace kvarzel
