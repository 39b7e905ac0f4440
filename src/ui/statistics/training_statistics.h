// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run_evidence.h"
#include "core/training_record.h"
#include "platform/files/history_file.h"
#include "ui/statistics/evidence_summary.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace kvarzel {

class RegistryStore;

// One line of the statistics table, pointing into the statistics: valid
// until the next training or the next change of the history.
struct StatisticsRow {
    const TrainingRecord* Record = nullptr;
    // The training's number in this run, its point on the results chart; 0
    // for an earlier training and for an abandoned one.
    int RunNumber = 0;
    bool InRun = false;
    // False while the history is kept but the training's line is not yet
    // written to the file.
    bool Saved = true;
};

// The trainings of this run, abandoned ones included, with the evidence of
// the run, and the history file when the user keeps one. A training whose
// line cannot be written stays in the rows and is written with the next
// training's line or when the program ends.
class TrainingStatistics {
public:
    TrainingStatistics(RegistryStore* settings, HistoryFile history, const RunEvidence& run);
    // Writes what is still unwritten. Saving the options rewrites the
    // program's whole key and carries the history choice over; one that is
    // missing all the same (it could not be written then) is written back here.
    ~TrainingStatistics();
    TrainingStatistics(const TrainingStatistics&) = delete;
    TrainingStatistics& operator=(const TrainingStatistics&) = delete;

    // Reads the history file once, when it is kept. Not at start-up: the
    // main window calls it after its first paint, and everything that needs
    // the history calls it first.
    void ReadHistory();

    // A finished or abandoned training.
    void AddTraining(const TrainingRecord& record);

    bool KeepHistory() const { return keepHistory_; }
    // Stores the choice and, when it is on, reads the history file and adds
    // the run's trainings that are not in it yet.
    void SetKeepHistory(bool keep);
    // The state the history file was last found in.
    const HistoryFile::Contents& History() const { return history_; }
    const HistoryFile& File() const { return file_; }
    // The history is kept and readable: the rows are its lines.
    bool ShowsHistory() const;
    // Trainings of this run kept for the history but not yet in its file.
    int UnsavedCount() const { return static_cast<int>(pending_.size()); }
    // The last try to write them failed (a full disk, a busy lock): the
    // file itself is fine.
    bool WriteFailed() const { return writeFailed_; }

    // Finished trainings of this run.
    int RunTrainings() const { return finished_; }
    const RunEvidence& Run() const { return run_; }
    // The run's trainings, abandoned ones included.
    const EvidenceSummary& RunSummary() const { return runSummary_; }
    // The history's lines, then the run's trainings not yet in the file.
    EvidenceSummary HistorySummary() const;

    // The history's lines and the run's unwritten trainings when the history
    // is shown, else the run's trainings.
    int RowCount() const;
    StatisticsRow Row(int index) const;
    // The records of the rows, for export.
    std::vector<TrainingRecord> RowRecords() const;

private:
    struct RunTraining {
        TrainingRecord Record;
        int Number = 0;
        bool Written = false;
    };

    void ReloadHistory();
    void MatchRunToHistory();
    void WritePending();
    bool TakeInHistory(std::optional<std::size_t> linesExpected);
    void MarkWritten(std::size_t runIndex, std::size_t line);
    int RunIndexOfLine(std::size_t line) const;
    StatisticsRow RunRow(std::size_t runIndex) const;

    RegistryStore* settings_;
    HistoryFile file_;
    const RunEvidence& run_;
    bool keepHistory_ = false;
    bool choiceMade_ = false;
    bool historyRead_ = false;
    bool writeFailed_ = false;
    HistoryFile::Contents history_;
    EvidenceSummary historySummary_;
    // The history lines historySummary_ holds, from the first.
    std::size_t historyCounted_ = 0;
    // (line of the history, index in trainings_) for the run's lines, by line.
    std::vector<std::pair<std::size_t, std::size_t>> runLines_;
    std::vector<RunTraining> trainings_;
    // Indexes in trainings_ of those the history file still lacks, in order.
    std::vector<std::size_t> pending_;
    EvidenceSummary runSummary_;
    int finished_ = 0;
};

} // namespace kvarzel
