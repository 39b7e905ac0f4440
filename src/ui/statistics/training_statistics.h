#pragma once

#include "core/training_record.h"
#include "platform/history_file.h"

#include <optional>
#include <vector>

namespace kvarzel {

class RegistryStore;

// One line of the statistics table.
struct StatisticsRow {
    TrainingRecord Record;
    std::optional<double> LogChance;
    int RunNumber = 0; // the training's number in this run; 0 for an earlier one
};

// The trainings of this run with their chance figures, and the history file
// when the user keeps one.
class TrainingStatistics {
public:
    TrainingStatistics(RegistryStore* settings, HistoryFile history);
    // Saving the options rewrites the program's whole key and carries the
    // history choice over; one that is missing all the same (it could not be
    // written then) is written back here.
    ~TrainingStatistics();
    TrainingStatistics(const TrainingStatistics&) = delete;
    TrainingStatistics& operator=(const TrainingStatistics&) = delete;

    void AddTraining(const TrainingRecord& record);

    bool KeepHistory() const { return keepHistory_; }
    // Stores the choice and, when it is on, reads the history file and adds
    // the run's trainings that are not in it yet.
    void SetKeepHistory(bool keep);
    // The state the history file was last found in.
    const HistoryFile::Contents& History() const { return history_; }
    const HistoryFile& File() const { return file_; }
    // False when the last line could not be written to a readable history.
    bool LastAppendFailed() const { return appendFailed_; }

    int RunTrainings() const { return static_cast<int>(run_.size()); }
    // ln of the chance of the run's total; nothing before the first training.
    std::optional<double> RunLogChance() const { return runLogChance_; }
    std::vector<TrainingRecord> RunRecords() const;
    // The whole history when it is kept and readable, else this run.
    std::vector<StatisticsRow> Rows() const;
    // The records of Rows(), for export.
    std::vector<TrainingRecord> RowRecords() const;

private:
    void ReloadHistory();
    void AppendToHistory(const TrainingRecord& record);
    void AppendRunToHistory();
    int RunNumberOf(const TrainingRecord& record) const;
    bool ShowsHistory() const;

    RegistryStore* settings_;
    HistoryFile file_;
    bool keepHistory_ = false;
    bool choiceMade_ = false;
    HistoryFile::Contents history_;
    std::vector<std::optional<double>> historyChances_;
    bool appendFailed_ = false;
    std::vector<StatisticsRow> run_;
    std::optional<double> runLogChance_;
};

} // namespace kvarzel
