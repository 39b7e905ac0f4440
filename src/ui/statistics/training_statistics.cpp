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

// The same training as a history line keeps it: the same id, or, for a line
// of an older format, the same columns. The evidence is left out of the
// comparison: it follows from the answers, and a line of an older format
// has none.
bool SameTraining(const TrainingRecord& line, const TrainingRecord& training) {
    if (line.Start && training.Start)
        return line.Start->Id == training.Start->Id;
    const auto withoutEvidence = [](TrainingRecord record) {
        record.Evidence.reset();
        return AsStoredInHistory(record);
    };
    return withoutEvidence(line) == withoutEvidence(training);
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
    DropUnansweredJournal();
    FinishWriting(UnattendedExitLockWait, false);
    if (choiceMade_ && !KeepHistoryStored(settings_))
        SaveKeepHistory(settings_, keepHistory_);
}

void TrainingStatistics::ReadHistory() {
    CompleteLeftJournals();
    if (keepHistory_ && !historyRead_)
        ReloadHistory();
}

// Where the history is first read (after a start that hands over to a copy
// already running has let this copy go on), and again whenever it is looked
// at: a copy killed meanwhile leaves a journal that any copy completes, and
// the trainings other copies play hold the history's readings back. A
// journal whose id the file holds already goes without a second line.
void TrainingStatistics::CompleteLeftJournals() {
    if (scan_)
        return; // a look under way goes on between events
    scan_ = std::make_unique<TrainingJournal::Scan>(places_);
    scanHeld_.clear();
    scanPassedOver_ = false;
    ScanStep();
}

// A step of the look at the journals: a bounded number of files, so that the
// window never waits long whatever their number and size; the next step
// comes between two events, once the journals taken are in the history (those
// that cannot be written are held until they are, and no more are taken).
// Until the look is done, the history's figure waits: a journal not yet
// seen may be a training that started before later ones ended.
void TrainingStatistics::ScanStep() {
    TrainingJournal::Left left;
    const std::size_t room = TrainingJournal::CollectLimit -
                             std::min(leftJournals_.size(), TrainingJournal::CollectLimit);
    const bool done = scan_->Step(ScanStepFiles, left, room);
    scanHeld_.insert(scanHeld_.end(), left.Held.begin(), left.Held.end());
    scanPassedOver_ = scanPassedOver_ || left.More;
    setAside_.insert(setAside_.end(), left.SetAside.begin(), left.SetAside.end());
    TakeLeftJournals(std::move(left.Journals));
    // A journal passed over for want of room is seen again by the next look.
    if (done) {
        scan_.reset();
        std::erase_if(scanHeld_,
                      [this](const TrainingStart& start) { return IsOwnTraining(start.Id); });
        heldElsewhere_ = std::exchange(scanHeld_, {});
        journalsPassedOver_ = scanPassedOver_;
    }
    ApplyOpenTrainings();
    WritePending();
    if (scan_ && !finishedWriting_)
        QMetaObject::invokeMethod(Messenger(), [this] { ScanStep(); }, Qt::QueuedConnection);
    LookAgainForPassedOver();
}

// Journals that a look passed over for want of room: a new look once the
// journals taken are in the history.
void TrainingStatistics::LookAgainForPassedOver() {
    if (!journalsPassedOver_ || !leftJournals_.empty() || scan_ || finishedWriting_)
        return;
    journalsPassedOver_ = false;
    QMetaObject::invokeMethod(Messenger(), [this] { CompleteLeftJournals(); },
                              Qt::QueuedConnection);
}

void TrainingStatistics::TakeLeftJournals(std::vector<std::unique_ptr<TrainingJournal>> found) {
    if (found.empty())
        return;
    if (!historyRead_)
        ReloadHistory();
    TrainingJournal::OldestFirst(found);
    for (auto& journal : found) {
        historySummary_.Add(*journal->Record());
        leftJournals_.push_back(std::move(journal));
    }
}

bool TrainingStatistics::IsOwnTraining(const TrainingId& id) const {
    const auto is = [&id](const TrainingRecord& record) {
        return record.Start && record.Start->Id == id;
    };
    return (keptUnderWay_ && keptUnderWay_->Id == id) ||
           std::any_of(trainings_.begin(), trainings_.end(),
                       [&is](const RunTraining& training) { return is(training.Record); }) ||
           std::any_of(leftJournals_.begin(), leftJournals_.end(),
                       [&is](const auto& journal) { return is(*journal->Record()); });
}

void TrainingStatistics::ApplyOpenTrainings() {
    std::vector<std::chrono::system_clock::time_point> starts;
    // Journals not seen yet, or passed over, may hold any earlier training.
    if (scan_ || journalsPassedOver_)
        starts.push_back(std::chrono::system_clock::time_point::min());
    if (keptUnderWay_)
        starts.push_back(keptUnderWay_->Moment);
    for (const TrainingStart& held : heldElsewhere_)
        starts.push_back(held.Moment);
    historySummary_.Reading.SetOpen(std::move(starts));
}

void TrainingStatistics::NoticeChangedHistory() {
    if (!historyRead_ || !keepHistory_)
        return;
    CompleteLeftJournals();
    if (file_.CurrentStamp() != history_.Seen)
        ReloadHistory();
}

// The journal is made here, with the room for every answer the training
// can give, so that a disk that fills up later cannot take it: a training
// begun is kept whole or, when even that room cannot be had, not at all,
// which the caller says at once.
WriteFailure TrainingStatistics::StartTraining(const TrainingRecord& started) {
    unwrittenAnswer_.reset();
    DropUnansweredJournal();
    keptUnderWay_.reset();
    keepingThisTraining_ = keepHistory_;
    startFailure_ = WriteFailure::None;
    if (keepHistory_) {
        journal_ = TrainingJournal::Create(places_, started, startFailure_);
        if (journal_)
            keptUnderWay_ = started.Start;
        else
            keepingThisTraining_ = false;
    }
    ApplyOpenTrainings();
    return startFailure_;
}

// A training that ended before its first answer leaves nothing. A journal
// with answers stays for a later start, as after a kill.
void TrainingStatistics::DropUnansweredJournal() {
    if (journal_ && !journal_->Record())
        journal_->Remove();
    journal_.reset();
}

void TrainingStatistics::TrainingAnswered(const TrainingRecord& soFar) {
    if (!keepingThisTraining_.value_or(false))
        return;
    const bool queued = unwrittenAnswer_.has_value();
    unwrittenAnswer_ = soFar;
    if (queued)
        return;
    // Handled once the answer step is over, before the circle's paint
    // request, which Qt posts at a lower priority.
    QMetaObject::invokeMethod(Messenger(), [this] { WriteAnswer(); }, Qt::QueuedConnection);
}

void TrainingStatistics::WriteAnswer() {
    if (!unwrittenAnswer_)
        return;
    const TrainingRecord soFar = *std::exchange(unwrittenAnswer_, std::nullopt);
    if (journal_ && !journal_->Write(soFar))
        failure_ = journal_->Failure();
}

void TrainingStatistics::AddTraining(const TrainingRecord& record) {
    ReadHistory();
    const bool abandoned = record.Abandoned;
    if (!abandoned)
        ++finished_;
    // A record without a start seen is kept when keeping is on.
    const bool startSeen = keepingThisTraining_.has_value();
    const bool kept = keepingThisTraining_.value_or(keepHistory_);
    keepingThisTraining_.reset();
    keptUnderWay_.reset();
    // The training's last line holds every answer.
    unwrittenAnswer_.reset();
    std::unique_ptr<TrainingJournal> journal = std::move(journal_);
    if (kept && !startSeen)
        journal = TrainingJournal::Create(places_, record, failure_);
    trainings_.push_back({record, abandoned ? 0 : finished_, false, kept, FinishedJournal(std::move(journal), record)});
    runSummary_.Add(record);
    if (!kept) {
        if (startFailure_ != WriteFailure::None) {
            ++notKept_;
            notKeptFailure_ = startFailure_;
        } else if (keepHistory_)
            ++leftOut_;
        ApplyOpenTrainings();
        return;
    }
    pending_.push_back(trainings_.size() - 1);
    historySummary_.Add(record);
    ApplyOpenTrainings();
    WritePending();
}

// A journal whose end could not be synced is no promise for the next start:
// it goes, and the training is lost unless the history takes it now.
std::unique_ptr<TrainingJournal> TrainingStatistics::FinishedJournal(
    std::unique_ptr<TrainingJournal> journal, const TrainingRecord& record) {
    if (!journal || journal->Finish(record))
        return journal;
    failure_ = journal->Failure();
    journal->Remove();
    return nullptr;
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
// taken: the line of its id, or on a line without one, the first alike
// (trainings of one pea can end alike within the second such a line keeps).
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
    TakeMovedTails();
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
    LookAgainForPassedOver();
    const std::vector<std::size_t> written = std::exchange(pending_, {});
    RemoveWrittenJournals(written);
    if (TakeInHistory(linesBefore + records.size()))
        for (std::size_t offset = 0; offset < written.size(); ++offset)
            MarkWritten(written[offset], runLinesStart + offset);
}

// A damaged end of the file (a write cut off by a crash or a power cut) was
// moved aside by the append: the user is told once, between two events, and
// the dialog says where it went for the rest of the run.
void TrainingStatistics::TakeMovedTails() {
    if (history_.MovedTails.empty())
        return;
    const std::size_t told = movedTails_.size();
    movedTails_.insert(movedTails_.end(), history_.MovedTails.begin(), history_.MovedTails.end());
    history_.MovedTails.clear();
    if (finishedWriting_)
        return;
    QMetaObject::invokeMethod(
        Messenger(),
        [this, told] {
            for (std::size_t tail = told; tail < movedTails_.size(); ++tail)
                ShowApplicationError(MovedTailText(movedTails_[tail]));
        },
        Qt::QueuedConnection);
}

QString TrainingStatistics::MovedTailText(const std::filesystem::path& aside) const {
    return QString("Конец файла истории «%1» был повреждён: его запись оборвалась при сбое или "
                   "отключении питания. Он перенесён в файл «%2», а история продолжается")
        .arg(QString::fromStdString(file_.Path().string()), QString::fromStdString(aside.string()));
}

QObject* TrainingStatistics::Messenger() {
    if (!messenger_)
        messenger_ = std::make_unique<QObject>();
    return messenger_.get();
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
// lines expected, the new ones are trainings the figures hold already, and
// true is returned: the caller knows which trainings they are. Otherwise
// (the file read afresh, or lines another copy of the program added in the
// meantime) the figures and the run's lines are worked out again.
bool TrainingStatistics::TakeInHistory(std::optional<std::size_t> linesExpected) {
    // A file that cannot be used now changes nothing the rows show from it.
    if (!Usable(history_.State))
        return false;
    const bool asExpected = linesExpected && history_.Records.size() == *linesExpected &&
                            *linesExpected >= historyCounted_;
    if (!asExpected) {
        SumUpHistory();
        MatchRunToHistory();
        return false;
    }
    historyCounted_ = history_.Records.size();
    return true;
}

// The file's lines in their order, then what waits to be written in the
// order it will be: the journals left behind, the run's trainings.
void TrainingStatistics::SumUpHistory() {
    historySummary_ = {};
    for (const TrainingRecord& line : history_.Records)
        historySummary_.Add(line);
    historyCounted_ = history_.Records.size();
    for (const auto& journal : leftJournals_)
        historySummary_.Add(*journal->Record());
    for (const std::size_t index : pending_)
        historySummary_.Add(trainings_[index].Record);
    ApplyOpenTrainings();
}

bool TrainingStatistics::ShowsHistory() const {
    return keepHistory_ && historyRead_ && Usable(history_.State);
}

int TrainingStatistics::RowCount() const {
    if (!ShowsHistory())
        return static_cast<int>(trainings_.size());
    return static_cast<int>(history_.Records.size() + pending_.size());
}

StatisticsRow TrainingStatistics::RunRow(std::size_t runIndex) const {
    const RunTraining& training = trainings_[runIndex];
    const bool saved = !training.Kept || training.Written;
    return {&training.Record, training.Number, true, saved, saved || training.Journal != nullptr};
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
