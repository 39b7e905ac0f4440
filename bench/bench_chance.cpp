// How long the chance figures take for the largest buckets: one training of
// 9999 peas, and runs of several such trainings pooled.
#include "core/chance_model.h"

#include <benchmark/benchmark.h>

namespace {

using kvarzel::TrainingOutcome;

// Half the peas black, a third of the answers from the timer, a little luck.
const TrainingOutcome exactWithTimer{{3400, 3266, 3333}, {false, 5000}, 3400};
const TrainingOutcome exactAllRight{{4999, 5000, 0}, {false, 5000}, 9999};
const TrainingOutcome coinToss{{5000, 4999, 0}, {true, 0}, 5100};

void BM_TrainingExactRuleWithTimer(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::TrainingLogChance(exactWithTimer));
}
BENCHMARK(BM_TrainingExactRuleWithTimer)->Unit(benchmark::kMillisecond);

void BM_TrainingExactRuleAllRight(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::TrainingLogChance(exactAllRight));
}
BENCHMARK(BM_TrainingExactRuleAllRight)->Unit(benchmark::kMillisecond);

void BM_TrainingCoinToss(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::TrainingLogChance(coinToss));
}
BENCHMARK(BM_TrainingCoinToss)->Unit(benchmark::kMillisecond);

void BM_RunOfThreeTrainings(benchmark::State& state) {
    const std::vector<TrainingOutcome> run{exactWithTimer, coinToss, exactWithTimer};
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::PooledLogChance(run));
}
BENCHMARK(BM_RunOfThreeTrainings)->Unit(benchmark::kMillisecond);

void BM_RunOfThreeAllRight(benchmark::State& state) {
    const std::vector<TrainingOutcome> run{exactAllRight, exactAllRight, exactAllRight};
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::PooledLogChance(run));
}
BENCHMARK(BM_RunOfThreeAllRight)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
