// SPDX-License-Identifier: GPL-3.0-or-later
// The history file with a hundred thousand trainings: what an append costs the
// window when the file is unchanged since the program last saw it, what it
// costs when another copy changed it, and what reading it all takes.
#include "core/training.h"
#include "platform/files/history_file.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace kvarzel;
namespace fs = std::filesystem;

constexpr int HistoryLines = 100000;

TrainingRecord Training(int number) {
    TrainingRecord record;
    record.Finished =
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 1} + std::chrono::seconds{number * 60};
    record.PeasCount = 100;
    record.Bucket = {true, 0};
    record.Answers = {48, 47, 5};
    record.RightCount = 40 + number % 30;
    record.Percentage = ExactPercentage(record.RightCount, 100);
    EvidenceTrack evidence;
    for (int guess = 0; guess < 95; ++guess)
        evidence.AddGuess(0.5, guess < record.RightCount);
    evidence.Read();
    record.Evidence = evidence;
    return record;
}

// A fresh folder with a history of HistoryLines trainings, removed at the end.
class LargeHistory {
public:
    LargeHistory() {
        std::string pattern = (fs::temp_directory_path() / "kvarzel-history-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = pattern;
        std::ofstream file(Path(), std::ios::binary);
        file << HistoryHeaderLine();
        for (int number = 0; number < HistoryLines; ++number)
            file << HistoryLine(Training(number));
    }
    ~LargeHistory() { fs::remove_all(folder_); }

    fs::path Path() const { return folder_ / "history.csv"; }

private:
    fs::path folder_;
};

void BM_AppendToAnUnchangedHistory(benchmark::State& state) {
    const LargeHistory history;
    const HistoryFile file(history.Path());
    HistoryFile::Contents contents = file.Load();
    const std::vector<TrainingRecord> one{Training(HistoryLines)};
    for (auto _ : state) {
        if (file.Append(one, contents) != HistoryFile::AppendResult::Appended)
            state.SkipWithError("the append failed");
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(history.Path())) / 1e6;
}
BENCHMARK(BM_AppendToAnUnchangedHistory)->Unit(benchmark::kMillisecond);

// Another copy appended meanwhile: the file is read and checked again.
void BM_AppendToAChangedHistory(benchmark::State& state) {
    const LargeHistory history;
    const HistoryFile file(history.Path());
    const std::vector<TrainingRecord> one{Training(HistoryLines)};
    for (auto _ : state) {
        HistoryFile::Contents contents;
        if (file.Append(one, contents) != HistoryFile::AppendResult::Appended)
            state.SkipWithError("the append failed");
    }
}
BENCHMARK(BM_AppendToAChangedHistory)->Unit(benchmark::kMillisecond);

void BM_LoadHistory(benchmark::State& state) {
    const LargeHistory history;
    const HistoryFile file(history.Path());
    for (auto _ : state)
        benchmark::DoNotOptimize(file.Load().Records.size());
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
