// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics/training_statistics.h"

#include "core/history/history_csv.h"
#include "core/statistics_settings.h"
#include "platform/desktop/application.h"

#include <QTimer>

#include <algorithm>
#include <utility>

namespace kvarzel {
namespace {

// The same training as a history line keeps it. The evidence is left out of
// the comparison: it follows from the answers, and a line of an older
// format has none.
bool SameTraining(TrainingRecord line, TrainingRecord training) {
    line.Evidence.reset();
    training.Evidence.reset();
    return AsStoredInHistory(line) == AsStoredInHistory(training);
}

bool Usable(HistoryFile::Status state) {
    return state == HistoryFile::Status::Ours || state == HistoryFile::Status::Missing;
}

QString SecondsText(std::chrono::milliseconds wait) {
    return QString::number(static_cast<double>(wait.count()) / 1000.0, 'g', 2)
        .replace('.', ',');
}

} // namespace

TrainingStatistics::TrainingStatistics(RegistryStore* settings, HistoryFile history,
                                       const RunEvidence& run,
                                       std::optional<JournalPlaces> journals)
    : settings_(settings), file_(std::move(history)), run_(run),
      keepHistory_(LoadKeepHistory(settings)), choiceMade_(KeepHistoryStored(settings)),
      places_(journals.value_or(JournalPlaces{file_.Path(), {}})) {}

TrainingStatistics::~TrainingStatistics() {
    FinishWriting(UnattendedExitLockWait, false);
    if (choiceMade_ && !KeepHistoryStored(settings_))
        SaveKeepHistory(settings_, keepHistory_);
}

void TrainingStatistics::ReadHistory() {
    CompleteLeftJournals();
    if (keepHistory_ && !historyRead_)
        ReloadHistory();
}

// Once, where the history is first read: after a start that hands over to
// a copy already running has let this copy go on.
void TrainingStatistics::CompleteLeftJournals() {
    if (std::exchange(leftJournalsCollected_, true))
        return;
    // Two trainings may be alike in every column, to the second: a journal
    // is never matched against the lines, and only a program cut off between
    // a line's sync and its journal's removal can add it twice.
    leftJournals_ = TrainingJournal::CollectLeft(places_);
    if (leftJournals_.empty())
        return;
    if (!historyRead_)
        ReloadHistory();
    WritePending();
}

void TrainingStatistics::NoticeChangedHistory() {
    if (historyRead_ && keepHistory_ && file_.CurrentStamp() != history_.Seen)
        ReloadHistory();
}

void TrainingStatistics::StartTraining() {
    unwrittenAnswer_.reset();
    keepingThisTraining_ = keepHistory_;
    journal_.reset();
    journalTried_ = false;
}

// The journal is made with the first answer: a training without answers
// leaves nothing.
void TrainingStatistics::TrainingAnswered(const TrainingRecord& soFar) {
    if (!keepingThisTraining_.value_or(false))
        return;
    const bool queued = unwrittenAnswer_.has_value();
    unwrittenAnswer_ = soFar;
    if (queued)
        return;
    if (!answerWriter_)
        answerWriter_ = std::make_unique<QObject>();
    // Posted after the circle's paint request, so handled after it.
    QMetaObject::invokeMethod(answerWriter_.get(), [this] { WriteAnswer(); }, Qt::QueuedConnection);
}

void TrainingStatistics::WriteAnswer() {
    if (!unwrittenAnswer_)
        return;
    const TrainingRecord soFar = *std::exchange(unwrittenAnswer_, std::nullopt);
    if (!journal_ && !std::exchange(journalTried_, true))
        journal_ = TrainingJournal::Create(places_, soFar.PeasCount, failure_);
    if (journal_ && !journal_->Write(soFar))
        failure_ = journal_->Failure();
}

void TrainingStatistics::AddTraining(const TrainingRecord& record) {
    ReadHistory();
    const bool abandoned = record.Abandoned;
    if (!abandoned)
        ++finished_;
    const bool kept = keepingThisTraining_.value_or(keepHistory_);
    keepingThisTraining_.reset();
    // The training's last line holds every answer.
    unwrittenAnswer_.reset();
    std::unique_ptr<TrainingJournal> journal = std::move(journal_);
    if (kept && !journal && !journalTried_)
        journal = TrainingJournal::Create(places_, record.PeasCount, failure_);
    if (journal && !journal->Finish(record))
        failure_ = journal->Failure();
    trainings_.push_back({record, abandoned ? 0 : finished_, false, kept, std::move(journal)});
    runSummary_.Add(record);
    if (!kept) {
        leftOut_ += keepHistory_ ? 1 : 0;
        return;
    }
    pending_.push_back(trainings_.size() - 1);
    WritePending();
}

bool TrainingStatistics::SetKeepHistory(bool keep) {
    if (keep == keepHistory_)
        return true;
    keepHistory_ = keep;
    choiceMade_ = true;
    const bool stored = SaveKeepHistory(settings_, keep);
    choiceFailure_ = stored ? WriteFailure::None
                     : settings_ != nullptr ? settings_->CommitFailure()
                                            : WriteFailure::NoHomeFolder;
    if (!stored && choiceFailure_ == WriteFailure::None)
        choiceFailure_ = WriteFailure::Unknown;
    if (keep) {
        // The run's trainings so far were played without keeping: they stay out.
        leftOut_ = static_cast<int>(
            std::count_if(trainings_.begin(), trainings_.end(),
                          [](const RunTraining& training) { return !training.Kept; }));
        ReloadHistory();
    }
    return stored;
}

int TrainingStatistics::UnjournalledCount() const {
    return static_cast<int>(std::count_if(pending_.begin(), pending_.end(), [this](std::size_t i) {
        return trainings_[i].Journal == nullptr;
    }));
}

void TrainingStatistics::FinishWriting(std::chrono::milliseconds lockWait, bool mayAsk) {
    if (std::exchange(finishedWriting_, true))
        return;
    retry_.reset();
    exitWait_ = lockWait;
    WritePending(lockWait);
    if (pending_.empty() && leftJournals_.empty())
        return;
    if (mayAsk)
        ShowApplicationError(UnwrittenMessage());
    else
        PrintApplicationError(UnwrittenMessage());
}

QString TrainingStatistics::UnwrittenMessage() const {
    const int unwritten = static_cast<int>(pending_.size() + leftJournals_.size());
    QString text = QString("Тренировок, не записанных в файл истории «%1»: %2. Причина: %3")
                       .arg(QString::fromStdString(file_.Path().string()))
                       .arg(unwritten)
                       .arg(QString::fromStdString(WriteFailureText(failure_)));
    if (lockWasBusy_)
        text += QString(" (программа ждала %1 с)").arg(SecondsText(exitWait_));
    const int lost = UnjournalledCount();
    if (lost < unwritten)
        text += QString(". Сохранено для записи при следующем запуске: %1").arg(unwritten - lost);
    if (lost > 0)
        text += QString(". Не сохранено нигде и потеряно: %1").arg(lost);
    return text;
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
            if (training.Kept && !training.Written && SameTraining(record, training.Record)) {
                training.Written = true;
                runLines_.emplace_back(line, index);
                break;
            }
        }
    }
}

// Every training not yet in the file, earlier runs' first, in one append
// that writes them all or none; the file comes back as it now is, the new
// lines at its end. The window's own tries never wait for the lock.
void TrainingStatistics::WritePending(std::chrono::milliseconds lockWait) {
    if (pending_.empty() && leftJournals_.empty())
        return;
    std::vector<TrainingRecord> records;
    records.reserve(leftJournals_.size() + pending_.size());
    for (const auto& journal : leftJournals_)
        records.push_back(*journal->Record());
    for (const std::size_t index : pending_)
        records.push_back(trainings_[index].Record);
    const std::size_t linesBefore = history_.Records.size();
    const HistoryFile::AppendResult result = file_.Append(records, history_, lockWait);
    historyRead_ = true;
    writeFailed_ = result != HistoryFile::AppendResult::Appended;
    if (writeFailed_) {
        failure_ = history_.Failure;
        lockWasBusy_ = result == HistoryFile::AppendResult::Busy;
        TakeInHistory(linesBefore);
        if (result != HistoryFile::AppendResult::Refused)
            RetryLater();
        return;
    }
    failure_ = WriteFailure::None;
    lockWasBusy_ = false;
    for (const auto& journal : leftJournals_)
        journal->Remove();
    const std::size_t runLinesStart = linesBefore + leftJournals_.size();
    leftJournals_.clear();
    const std::vector<std::size_t> written = std::exchange(pending_, {});
    RemoveWrittenJournals(written);
    if (TakeInHistory(linesBefore + records.size()))
        for (std::size_t offset = 0; offset < written.size(); ++offset)
            MarkWritten(written[offset], runLinesStart + offset);
}

void TrainingStatistics::RemoveWrittenJournals(const std::vector<std::size_t>& written) {
    for (const std::size_t index : written)
        if (auto& journal = trainings_[index].Journal) {
            journal->Remove();
            journal.reset();
        }
}

// A timer of the window's thread: the next try comes between two events.
void TrainingStatistics::RetryLater() {
    if (finishedWriting_)
        return;
    if (!retry_) {
        retry_ = std::make_unique<QTimer>();
        retry_->setSingleShot(true);
        QObject::connect(retry_.get(), &QTimer::timeout, [this] { WritePending(); });
    }
    if (!retry_->isActive())
        retry_->start(RetryInterval);
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
    return {&training.Record, training.Number, true, !training.Kept || training.Written};
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
