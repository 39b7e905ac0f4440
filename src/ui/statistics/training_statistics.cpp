#include "ui/statistics/training_statistics.h"

#include "core/history_csv.h"
#include "core/statistics_settings.h"

#include <algorithm>

namespace kvarzel {
namespace {

// Working out a chance is costly for a large training, so the lines read
// before keep their figures where the file still starts with them.
std::vector<std::optional<double>> ChancesOf(const std::vector<TrainingRecord>& records,
                                             const std::vector<TrainingRecord>& before,
                                             const std::vector<std::optional<double>>& chances) {
    std::vector<std::optional<double>> result;
    result.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const bool known = i < before.size() && i < chances.size() && records[i] == before[i];
        result.push_back(known ? chances[i] : TrainingLogChance(records[i].Outcome()));
    }
    return result;
}

} // namespace

TrainingStatistics::TrainingStatistics(RegistryStore* settings, HistoryFile history)
    : settings_(settings), file_(std::move(history)), keepHistory_(LoadKeepHistory(settings)),
      choiceMade_(KeepHistoryStored(settings)) {
    if (keepHistory_)
        ReloadHistory();
}

TrainingStatistics::~TrainingStatistics() {
    if (choiceMade_ && !KeepHistoryStored(settings_))
        SaveKeepHistory(settings_, keepHistory_);
}

void TrainingStatistics::AddTraining(const TrainingRecord& record) {
    run_.push_back({record, TrainingLogChance(record.Outcome()), RunTrainings() + 1});
    std::vector<TrainingOutcome> outcomes;
    for (const StatisticsRow& row : run_)
        outcomes.push_back(row.Record.Outcome());
    runLogChance_ = PooledLogChance(outcomes);
    if (keepHistory_)
        AppendToHistory(record);
}

void TrainingStatistics::AppendToHistory(const TrainingRecord& record) {
    const std::vector<TrainingRecord> before = history_.Records;
    const HistoryFile::AppendResult result = file_.Append(std::span(&record, 1), history_);
    appendFailed_ = result == HistoryFile::AppendResult::Failed ||
                    result == HistoryFile::AppendResult::Busy;
    // An append leaves history_ as the file now is, the new line included.
    historyChances_ = ChancesOf(history_.Records, before, historyChances_);
}

// Turning the history on keeps the run's trainings so far as well. Short
// trainings can end alike within one second, so each of the run's equal
// records needs a line of its own.
void TrainingStatistics::AppendRunToHistory() {
    for (auto row = run_.begin(); row != run_.end(); ++row) {
        const TrainingRecord stored = AsStoredInHistory(row->Record);
        const auto sameSoFar =
            std::count_if(run_.begin(), row + 1, [&](const StatisticsRow& other) {
                return AsStoredInHistory(other.Record) == stored;
            });
        if (std::count(history_.Records.begin(), history_.Records.end(), stored) < sameSoFar)
            AppendToHistory(row->Record);
    }
}

void TrainingStatistics::SetKeepHistory(bool keep) {
    if (keep == keepHistory_)
        return;
    keepHistory_ = keep;
    choiceMade_ = true;
    SaveKeepHistory(settings_, keep);
    if (keep) {
        ReloadHistory();
        AppendRunToHistory();
    }
}

void TrainingStatistics::ReloadHistory() {
    const std::vector<TrainingRecord> before = std::move(history_.Records);
    history_ = file_.Load();
    historyChances_ = ChancesOf(history_.Records, before, historyChances_);
    appendFailed_ = false;
}

std::vector<TrainingRecord> TrainingStatistics::RunRecords() const {
    std::vector<TrainingRecord> records;
    for (const StatisticsRow& row : run_)
        records.push_back(row.Record);
    return records;
}

// A history line is this run's when it is one of the run's records as the
// file keeps it, to the second.
int TrainingStatistics::RunNumberOf(const TrainingRecord& record) const {
    for (const StatisticsRow& row : run_)
        if (AsStoredInHistory(row.Record) == record)
            return row.RunNumber;
    return 0;
}

bool TrainingStatistics::ShowsHistory() const {
    return keepHistory_ && (history_.State == HistoryFile::Status::Ours ||
                            history_.State == HistoryFile::Status::Missing);
}

std::vector<StatisticsRow> TrainingStatistics::Rows() const {
    if (!ShowsHistory())
        return run_;
    std::vector<StatisticsRow> rows;
    for (std::size_t i = 0; i < history_.Records.size(); ++i)
        rows.push_back({history_.Records[i], historyChances_[i], RunNumberOf(history_.Records[i])});
    return rows;
}

std::vector<TrainingRecord> TrainingStatistics::RowRecords() const {
    std::vector<TrainingRecord> records;
    for (const StatisticsRow& row : Rows())
        records.push_back(row.Record);
    return records;
}

} // namespace kvarzel
