// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics with a long history: opening the dialog and ending a
// training must each stay within one frame (16 ms) with 100 000 lines kept.
#include "core/history/history_csv.h"
#include "core/run_evidence.h"
#include "platform/files/atomic_file.h"
#include "platform/files/history_file.h"
#include "qt_bench_main.h"
#include "ui/statistics/statistics_form.h"
#include "ui/statistics/training_statistics.h"

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace kvarzel;
namespace fs = std::filesystem;

constexpr int HistoryLines = 100'000;

// A training of 20 peas with a chance bucket, guessed by a coin.
TrainingRecord Training(int index, std::mt19937& random) {
    TrainingRecord record;
    record.Finished =
        std::chrono::sys_days{std::chrono::year{2020} / 1 / 1} + std::chrono::minutes{index};
    record.PeasCount = 20;
    record.PeasRatio = 0;
    record.Bucket = {true, 0};
    EvidenceTrack evidence;
    for (int pea = 0; pea < 20; ++pea) {
        const bool right = random() % 2 == 0;
        ++(random() % 2 == 0 ? record.Answers.White : record.Answers.Black);
        evidence.AddGuess(0.5, right);
        record.RightCount += right ? 1 : 0;
    }
    evidence.Read();
    record.Evidence = evidence;
    record.Percentage = 100.0 * record.RightCount / 20;
    return record;
}

// A kept history of 100 000 lines, read, with the dialog made once.
class LongHistory {
public:
    LongHistory() {
        std::mt19937 random(1);
        std::string text = HistoryHeaderLine();
        for (int line = 0; line < HistoryLines; ++line)
            text += HistoryLine(Training(line, random));
        ReplaceFileAtomically(Path(), text);
        statistics_ = std::make_unique<TrainingStatistics>(nullptr, HistoryFile(Path()), run_);
        statistics_->SetKeepHistory(true);
    }

    fs::path Path() const { return fs::path(folder_.path().toStdString()) / "history.csv"; }
    TrainingStatistics& Statistics() { return *statistics_; }
    TrainingRecord NextTraining() { return Training(HistoryLines + next_++, random_); }

private:
    QTemporaryDir folder_;
    RunEvidence run_;
    std::unique_ptr<TrainingStatistics> statistics_;
    std::mt19937 random_{2};
    int next_ = 0;
};

LongHistory& History() {
    static LongHistory history;
    return history;
}

void ShowAndPaint(StatisticsForm& form) {
    form.show();
    form.repaint();
    QApplication::processEvents();
}

// The first opening: the dialog made, filled, shown and painted.
void BM_OpenDialogWith100000Lines(benchmark::State& state) {
    TrainingStatistics& statistics = History().Statistics();
    for (auto _ : state) {
        StatisticsForm form(nullptr, statistics);
        ShowAndPaint(form);
        form.hide();
    }
    state.counters["rows"] = History().Statistics().RowCount();
}
BENCHMARK(BM_OpenDialogWith100000Lines)->Unit(benchmark::kMillisecond);

// Every later opening: the dialog the main window keeps, shown again.
void BM_ReopenDialogWith100000Lines(benchmark::State& state) {
    StatisticsForm form(nullptr, History().Statistics());
    for (auto _ : state) {
        ShowAndPaint(form);
        form.hide();
    }
}
BENCHMARK(BM_ReopenDialogWith100000Lines)->Unit(benchmark::kMillisecond);

// The end of a training as the main window hands it on, the line written to
// the file included; the dialog exists and is closed, as after a first look.
void BM_FinishTrainingWith100000Lines(benchmark::State& state) {
    StatisticsForm form(nullptr, History().Statistics());
    for (auto _ : state)
        form.AddTraining(History().NextTraining());
    state.counters["unsaved"] = History().Statistics().UnsavedCount();
}
BENCHMARK(BM_FinishTrainingWith100000Lines)->Unit(benchmark::kMillisecond);

// The same with the dialog open: the table and the picture follow.
void BM_FinishTrainingWith100000LinesDialogOpen(benchmark::State& state) {
    StatisticsForm form(nullptr, History().Statistics());
    ShowAndPaint(form);
    for (auto _ : state) {
        form.AddTraining(History().NextTraining());
        QApplication::processEvents();
    }
    form.hide();
}
BENCHMARK(BM_FinishTrainingWith100000LinesDialogOpen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return kvarzel::bench::RunQtBenchmarks(argc, argv);
}
