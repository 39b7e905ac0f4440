// SPDX-License-Identifier: GPL-3.0-or-later
// What a start pays for the journals earlier runs left: ten thousand small
// ones (collected batch by batch, each batch's lines then appended to the
// history and its journals removed; and the longest wait of the window while
// the statistics do it), the journal of the longest training a person can
// play (read from its end only), and one far bigger than any training
// writes (set aside unread).
#include "core/answer_mix.h"
#include "core/history/history_csv.h"
#include "core/history/journal_text.h"
#include "platform/files/history_file.h"
#include "platform/files/training_journal.h"
#include "test_support/history_test_records.h"
#include "test_support/registry_test_files.h"
#include "ui/statistics/training_statistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace kvarzel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int SmallJournals = 10000;
constexpr std::int64_t BigJournalBytes = 60 << 20;

// A fresh folder holding the history's place, removed at the end.
class ScratchFolder {
public:
    JournalPlaces Places() const { return {folder_.Path() / "history.csv", {}}; }
    fs::path Journal(int number) const {
        std::string name = std::to_string(1000000 + number);
        return folder_.Path() / ("history.csv.journal-" + name.substr(1));
    }
    // A journal as a killed program leaves it: its heading, then the
    // training after each of its answers.
    void Leave(int number, int answered, int peas) const {
        std::ofstream file(Journal(number), std::ios::binary);
        file << JournalHeading(HistoryName(Places().History));
        for (int answer = 1; answer <= answered; ++answer) {
            TrainingRecord soFar = testing::TrainingSoFar(answer, peas);
            soFar.Start->Id = TrainingId{{0xBE7C, static_cast<std::uint64_t>(number)}};
            file << HistoryLine(soFar);
        }
    }

private:
    testing::TemporaryFolder folder_;
};

// Every journal done, batch by batch as a start does: the batch that takes
// longest is what the window would wait for if a batch were done on its thread.
void CompleteAll(const JournalPlaces& places, bool append, benchmark::State& state) {
    const HistoryFile history(places.History);
    HistoryFile::Contents contents;
    Clock::duration longestBatch{};
    int batches = 0;
    for (bool more = true; more; ++batches) {
        const Clock::time_point start = Clock::now();
        // Which trainings are under way is asked once, with the first batch.
        TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(
            places, TrainingJournal::CollectLimit, batches == 0);
        std::vector<TrainingRecord> records;
        for (const auto& journal : left.Journals)
            records.push_back(*journal->Record());
        if (append && history.Append(records, contents) != HistoryFile::AppendResult::Appended)
            state.SkipWithError("the append failed");
        for (const auto& journal : left.Journals)
            journal->Remove();
        longestBatch = std::max(longestBatch, Clock::now() - start);
        more = left.More;
    }
    state.counters["batches"] = batches;
    state.counters["longest_batch_ms"] =
        std::chrono::duration<double, std::milli>(longestBatch).count();
}

void BM_TenThousandSmallJournals(benchmark::State& state) {
    const bool append = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        const ScratchFolder folder;
        for (int number = 0; number < SmallJournals; ++number)
            folder.Leave(number, 3, 20);
        state.ResumeTiming();
        CompleteAll(folder.Places(), append, state);
        state.PauseTiming();
        if (append && HistoryFile(folder.Places().History).Load().Records.size() != SmallJournals)
            state.SkipWithError("not every journal reached the history");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TenThousandSmallJournals)
    ->ArgName("append")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The longest training: MaxTrainingPeas answers, some 4 MB of lines.
void BM_LongestTrainingsJournal(benchmark::State& state) {
    const ScratchFolder folder;
    folder.Leave(0, MaxTrainingPeas, MaxTrainingPeas);
    for (auto _ : state) {
        const TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(folder.Places());
        if (left.Journals.size() != 1)
            state.SkipWithError("the journal was not collected");
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(folder.Journal(0))) / 1e6;
}
BENCHMARK(BM_LongestTrainingsJournal)->Unit(benchmark::kMillisecond);

// 60 MB: more than any training writes, set aside without being read.
void BM_JournalBeyondTheCap(benchmark::State& state) {
    const ScratchFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        folder.Leave(0, 200, 200);
        std::ofstream(folder.Journal(0), std::ios::binary | std::ios::app)
            << std::string(BigJournalBytes, '7');
        state.ResumeTiming();
        const TrainingJournal::Left left = TrainingJournal::CollectLeftJournals(folder.Places());
        state.PauseTiming();
        if (left.SetAside.size() != 1)
            state.SkipWithError("the journal was not set aside");
        for (const fs::path& aside : left.SetAside)
            fs::remove(aside);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_JournalBeyondTheCap)->Unit(benchmark::kMillisecond)->Iterations(5);

int JournalsIn(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().starts_with("history.csv.journal-");
    return count;
}

// The window's side of it: a start's statistics complete ten thousand
// journals while the event loop runs, and a timer of no interval, which
// fires on every pass of the loop, measures the longest time the window
// could not answer.
void BM_StatisticsCompleteTenThousandJournals(benchmark::State& state) {
    double longestMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const ScratchFolder folder;
        for (int number = 0; number < SmallJournals; ++number)
            folder.Leave(number, 3, 20);
        const RunEvidence run;
        const JournalPlaces places = folder.Places();
        state.ResumeTiming();
        QElapsedTimer sinceLastPass;
        QElapsedTimer sinceLastCount;
        sinceLastPass.start();
        sinceLastCount.start();
        TrainingStatistics statistics(nullptr, HistoryFile(places.History), run, places);
        statistics.ReadHistory();
        QEventLoop loop;
        QTimer pass;
        QObject::connect(&pass, &QTimer::timeout, [&] {
            longestMs = std::max(longestMs, static_cast<double>(sinceLastPass.nsecsElapsed()) / 1e6);
            // Counting ten thousand names is a step of its own: done a few
            // times a second, and not counted in the window's steps.
            if (sinceLastCount.elapsed() >= 100) {
                if (JournalsIn(places.History.parent_path()) == 0)
                    loop.quit();
                sinceLastCount.restart();
            }
            sinceLastPass.restart();
        });
        pass.start(0);
        loop.exec();
        state.PauseTiming();
        if (HistoryFile(places.History).Load().Records.size() != SmallJournals)
            state.SkipWithError("not every journal reached the history");
        state.ResumeTiming();
    }
    state.counters["longest_step_ms"] = longestMs;
}
BENCHMARK(BM_StatisticsCompleteTenThousandJournals)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
