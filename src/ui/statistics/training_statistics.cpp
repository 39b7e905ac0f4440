// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/training_statistics.h"

#include "core/history_csv.h"
#include "core/statistics_settings.h"

#include <algorithm>
#include <utility>

namespace kvarzel {
namespace {

// The same training as a history line keeps it. The evidence is left out of
// the comparison: it follows from the answers, and a line of an older
// format has none.
bool SameTraining(const TrainingRecord& line, const TrainingRecord& training) {
    TrainingRecord a = AsStoredInHistory(line);
    TrainingRecord b = AsStoredInHistory(training);
    a.Evidence.reset();
    b.Evidence.reset();
    return a == b;
}

bool Usable(HistoryFile::Status state) {
    return state == HistoryFile::Status::Ours || state == HistoryFile::Status::Missing;
}

} // namespace

TrainingStatistics::TrainingStatistics(RegistryStore* settings, HistoryFile history,
                                       const RunEvidence& run)
    : settings_(settings), file_(std::move(history)), run_(run),
      keepHistory_(LoadKeepHistory(settings)), choiceMade_(KeepHistoryStored(settings)) {}

TrainingStatistics::~TrainingStatistics() {
    WritePending();
    if (choiceMade_ && !KeepHistoryStored(settings_))
        SaveKeepHistory(settings_, keepHistory_);
}

void TrainingStatistics::ReadHistory() {
    if (keepHistory_ && !historyRead_)
        ReloadHistory();
}

void TrainingStatistics::AddTraining(const TrainingRecord& record) {
    ReadHistory();
    const bool abandoned = record.Abandoned;
    if (!abandoned)
        ++finished_;
    trainings_.push_back({record, abandoned ? 0 : finished_, false});
    runSummary_.Add(record);
    if (!keepHistory_)
        return;
    pending_.push_back(trainings_.size() - 1);
    WritePending();
}

void TrainingStatistics::SetKeepHistory(bool keep) {
    if (keep == keepHistory_)
        return;
    keepHistory_ = keep;
    choiceMade_ = true;
    SaveKeepHistory(settings_, keep);
    pending_.clear();
    writeFailed_ = false;
    if (!keep)
        return;
    // Turning the history on keeps the run's trainings so far as well.
    ReloadHistory();
    for (std::size_t index = 0; index < trainings_.size(); ++index)
        if (!trainings_[index].Written)
            pending_.push_back(index);
    WritePending();
}

void TrainingStatistics::ReloadHistory() {
    history_ = file_.Load();
    historyRead_ = true;
    TakeInHistory(std::nullopt);
}

// Each of the run's trainings takes the first line that is the same and not
// taken: trainings of one pea can end alike within the second a line keeps.
void TrainingStatistics::MatchRunToHistory() {
    runLines_.clear();
    for (RunTraining& training : trainings_)
        training.Written = false;
    if (trainings_.empty())
        return;
    const auto first = AsStoredInHistory(trainings_.front().Record).Finished;
    for (std::size_t line = 0; line < history_.Records.size(); ++line) {
        const TrainingRecord& record = history_.Records[line];
        if (record.Finished < first)
            continue;
        for (std::size_t index = 0; index < trainings_.size(); ++index) {
            RunTraining& training = trainings_[index];
            if (!training.Written && SameTraining(record, training.Record)) {
                training.Written = true;
                runLines_.emplace_back(line, index);
                break;
            }
        }
    }
}

// Every training not yet in the file, in one append that writes them all or
// none; the file comes back as it now is, the new lines at its end.
void TrainingStatistics::WritePending() {
    if (!keepHistory_ || pending_.empty())
        return;
    std::vector<TrainingRecord> records;
    records.reserve(pending_.size());
    for (const std::size_t index : pending_)
        records.push_back(trainings_[index].Record);
    const std::size_t linesBefore = history_.Records.size();
    const HistoryFile::AppendResult result = file_.Append(records, history_);
    historyRead_ = true;
    writeFailed_ = result == HistoryFile::AppendResult::Failed ||
                   result == HistoryFile::AppendResult::Busy;
    if (result != HistoryFile::AppendResult::Appended) {
        TakeInHistory(linesBefore);
        return;
    }
    const std::vector<std::size_t> written = std::exchange(pending_, {});
    if (TakeInHistory(linesBefore + records.size()))
        for (std::size_t offset = 0; offset < written.size(); ++offset)
            MarkWritten(written[offset], linesBefore + offset);
}

void TrainingStatistics::MarkWritten(std::size_t runIndex, std::size_t line) {
    trainings_[runIndex].Written = true;
    runLines_.emplace_back(line, runIndex);
}

// The file as it was read or as the append found it. When it holds just the
// lines expected, the new ones are added to the figures and true is returned:
// the caller knows which trainings they are. Otherwise (the file read afresh,
// or lines another copy of the program added in the meantime) the figures and
// the run's lines are worked out again.
bool TrainingStatistics::TakeInHistory(std::optional<std::size_t> linesExpected) {
    // A file that cannot be used now changes nothing the rows show from it.
    if (!Usable(history_.State))
        return false;
    const bool asExpected = linesExpected && history_.Records.size() == *linesExpected &&
                            *linesExpected >= historyCounted_;
    if (!asExpected) {
        historySummary_ = {};
        historyCounted_ = 0;
    }
    for (; historyCounted_ < history_.Records.size(); ++historyCounted_)
        historySummary_.Add(history_.Records[historyCounted_]);
    if (!asExpected)
        MatchRunToHistory();
    return asExpected;
}

bool TrainingStatistics::ShowsHistory() const {
    return keepHistory_ && historyRead_ && Usable(history_.State);
}

EvidenceSummary TrainingStatistics::HistorySummary() const {
    EvidenceSummary summary = historySummary_;
    for (const std::size_t index : pending_)
        summary.Add(trainings_[index].Record);
    return summary;
}

int TrainingStatistics::RowCount() const {
    if (!ShowsHistory())
        return static_cast<int>(trainings_.size());
    return static_cast<int>(history_.Records.size() + pending_.size());
}

StatisticsRow TrainingStatistics::RunRow(std::size_t runIndex) const {
    const RunTraining& training = trainings_[runIndex];
    return {&training.Record, training.Number, true, !keepHistory_ || training.Written};
}

int TrainingStatistics::RunIndexOfLine(std::size_t line) const {
    const auto found =
        std::lower_bound(runLines_.begin(), runLines_.end(), std::make_pair(line, std::size_t{0}));
    return found != runLines_.end() && found->first == line ? static_cast<int>(found->second) : -1;
}

StatisticsRow TrainingStatistics::Row(int index) const {
    const auto position = static_cast<std::size_t>(index);
    if (!ShowsHistory())
        return RunRow(position);
    const std::size_t lines = history_.Records.size();
    if (position >= lines)
        return RunRow(pending_[position - lines]);
    const int runIndex = RunIndexOfLine(position);
    if (runIndex < 0)
        return {&history_.Records[position]};
    StatisticsRow row = RunRow(static_cast<std::size_t>(runIndex));
    row.Record = &history_.Records[position];
    return row;
}

std::vector<TrainingRecord> TrainingStatistics::RowRecords() const {
    std::vector<TrainingRecord> records;
    records.reserve(static_cast<std::size_t>(RowCount()));
    for (int index = 0; index < RowCount(); ++index)
        records.push_back(*Row(index).Record);
    return records;
}

} // namespace kvarzel
