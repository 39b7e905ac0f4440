// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/history/evidence_summary.h"
#include "core/run_evidence.h"
#include "core/training_record.h"
#include "platform/files/history_file.h"
#include "platform/files/training_journal.h"

#include <QString>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QObject;
class QTimer;

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
    // Such a line is in the training's journal, synced, for the next start.
    bool InJournal = true;
};

// The trainings of this run, abandoned ones included, with the evidence of
// the run, and the history file when the user keeps one.
//
// A training goes to the history exactly when keeping was on when it
// started. From its first answer it is in a journal of its own (see
// TrainingJournal); its end is synced there before the result box shows, and
// its line is then appended to the history. The window never waits for the
// history's lock: a busy lock, or any failure, leaves the line in its journal,
// tried again a little later and at the exit, and added at the next start
// that can. Journals that an earlier run left (killed, cut off by a power
// cut, or unable to write) are added when the history is first read.
class TrainingStatistics {
public:
    // How long the exit waits for a busy lock: a user closing the program,
    // and a signal or the session, which must end it within a second.
    static constexpr std::chrono::milliseconds ExitLockWait = HistoryFile::DefaultLockWait;
    static constexpr std::chrono::milliseconds UnattendedExitLockWait{500};
    // Between tries of lines that could not be written.
    static constexpr std::chrono::milliseconds RetryInterval{2000};
    // The journals one step of a look at them opens at most: a few
    // milliseconds of the window's time.
    static constexpr std::size_t ScanStepFiles = 512;

    // The journals go beside the history unless `journals` says otherwise.
    TrainingStatistics(RegistryStore* settings, HistoryFile history, const RunEvidence& run,
                       std::optional<JournalPlaces> journals = std::nullopt);
    // Writes what is still unwritten. Saving the options rewrites the
    // program's whole key and carries the history choice over; one that is
    // missing all the same (it could not be written then) is written back here.
    ~TrainingStatistics();
    TrainingStatistics(const TrainingStatistics&) = delete;
    TrainingStatistics& operator=(const TrainingStatistics&) = delete;

    // Adds the journals earlier runs left, then reads the history file once,
    // when it is kept. Not at start-up: the main window calls it after its
    // first paint, and everything that needs the history calls it first.
    void ReadHistory();
    // Reads the history again when its file changed since it was last seen,
    // adds the journals left since, and looks again at which kept trainings
    // other copies of the program are playing.
    void NoticeChangedHistory();

    // A training starts: whether it goes to the history is decided here.
    // When it is to be kept, its journal is made now with the room for all
    // its answers; if that cannot be had, the training is not kept, and the
    // reason comes back (None otherwise) for the window to say at once.
    WriteFailure StartTraining(const TrainingRecord& started);
    // The training so far, after each answer: into its journal when kept,
    // from the window's event loop right after the answer step and before
    // the circle's paint, which Qt requests at a lower priority: an answer
    // whose circle was seen is on disk, and the circle waits for one append
    // at most.
    void TrainingAnswered(const TrainingRecord& soFar);
    // Writes the answer now, as the event loop does after the answer step.
    void WriteAnswer();
    // A finished or abandoned training.
    void AddTraining(const TrainingRecord& record);
    // The last try to write what is unwritten, waiting for a busy lock at
    // most `lockWait`; what is still unwritten is said (a box for the user,
    // standard error when nobody is left to answer or `mayAsk` is false). Once.
    void FinishWriting(std::chrono::milliseconds lockWait, bool mayAsk = true);

    bool KeepHistory() const { return keepHistory_; }
    // Stores the choice; false when it could not be stored (the choice then
    // still holds for this run). Turning keeping on counts from the next
    // training: the run's earlier ones are not added. Turning it off during a
    // training keeps that training.
    bool SetKeepHistory(bool keep);
    // Journals bigger than a training can write, set aside unread.
    const std::vector<std::filesystem::path>& SetAsideJournals() const { return setAside_; }
    // Damaged ends of the history file that appends moved aside in this run.
    const std::vector<std::filesystem::path>& MovedTails() const { return movedTails_; }
    QString MovedTailText(const std::filesystem::path& aside) const;
    // Why the last choice could not be stored.
    WriteFailure ChoiceFailure() const { return choiceFailure_; }
    // The run had trainings before keeping was turned on: they are not in it.
    bool RunTrainingsLeftOut() const { return leftOut_ > 0; }
    // Trainings of the run not kept because their journal could not be
    // made at their start, and why the last of them could not.
    int NotKeptCount() const { return notKept_; }
    WriteFailure NotKeptFailure() const { return notKeptFailure_; }
    // The state the history file was last found in.
    const HistoryFile::Contents& History() const { return history_; }
    const HistoryFile& File() const { return file_; }
    // The history is kept and readable: the rows are its lines.
    bool ShowsHistory() const;
    // Trainings kept for the history but not yet in its file: this run's,
    // and those earlier runs left in their journals.
    int UnsavedCount() const { return static_cast<int>(pending_.size() + leftJournals_.size()); }
    // The last try to write them failed (a full disk, a busy lock): the
    // file itself is fine.
    bool WriteFailed() const { return writeFailed_; }
    // Why the last try failed, or why a journal could not be made.
    WriteFailure Failure() const { return failure_; }
    // Unwritten trainings that have no journal either: lost at the exit.
    int UnjournalledCount() const;

    // Finished trainings of this run.
    int RunTrainings() const { return finished_; }
    const RunEvidence& Run() const { return run_; }
    // The run's trainings, abandoned ones included.
    const EvidenceSummary& RunSummary() const { return runSummary_; }
    // The history's lines, the run's trainings and the journals left
    // behind that are not yet in the file, and the kept trainings under
    // way, this copy's or another's, that its readings wait for.
    const EvidenceSummary& HistorySummary() const { return historySummary_; }

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
        // Kept for the history: it started while keeping was on.
        bool Kept = false;
        // Until its line is in the history.
        std::unique_ptr<TrainingJournal> Journal;
    };

    void ReloadHistory();
    void DropUnansweredJournal();
    std::unique_ptr<TrainingJournal> FinishedJournal(std::unique_ptr<TrainingJournal> journal,
                                                     const TrainingRecord& record);
    void CompleteLeftJournals();
    void ScanStep();
    void LookAgainForPassedOver();
    void TakeLeftJournals(std::vector<std::unique_ptr<TrainingJournal>> found);
    bool IsOwnTraining(const TrainingId& id) const;
    void ApplyOpenTrainings();
    void SumUpHistory();
    void MatchRunToHistory();
    void WritePending(std::chrono::milliseconds lockWait = std::chrono::milliseconds{0});
    void TakeMovedTails();
    QObject* Messenger();
    void RemoveWrittenJournals(const std::vector<std::size_t>& written);
    void RetryLater();
    QString UnwrittenMessage() const;
    bool TakeInHistory(std::optional<std::size_t> linesExpected);
    void MarkWritten(std::size_t runIndex, std::size_t line);
    int RunIndexOfLine(std::size_t line) const;
    StatisticsRow RunRow(std::size_t runIndex) const;

    RegistryStore* settings_;
    HistoryFile file_;
    const RunEvidence& run_;
    bool keepHistory_ = false;
    bool choiceMade_ = false;
    WriteFailure choiceFailure_ = WriteFailure::None;
    JournalPlaces places_;
    // Whether the training under way goes to the history, decided at its
    // start; a record without a start seen is kept when keeping is on.
    std::optional<bool> keepingThisTraining_;
    // The kept training under way, and those whose journals other copies
    // hold: the history's readings after their starts wait for them.
    std::optional<TrainingStart> keptUnderWay_;
    std::vector<TrainingStart> heldElsewhere_;
    std::unique_ptr<TrainingJournal> journal_;
    WriteFailure startFailure_ = WriteFailure::None;
    int notKept_ = 0;
    WriteFailure notKeptFailure_ = WriteFailure::None;
    // The last answer's state, until the event loop writes it.
    std::optional<TrainingRecord> unwrittenAnswer_;
    // What the window's event loop does for the statistics: the answer's
    // line, the notice of a damaged end moved aside.
    std::unique_ptr<QObject> messenger_;
    std::vector<std::filesystem::path> movedTails_;
    std::vector<std::filesystem::path> setAside_;
    // The look at the journals under way, the held journals it found so far,
    // and whether the last one passed over journals it had no room to take.
    std::unique_ptr<TrainingJournal::Scan> scan_;
    std::vector<TrainingStart> scanHeld_;
    bool scanPassedOver_ = false;
    bool journalsPassedOver_ = false;
    // Journals of earlier runs not yet in the history.
    std::vector<std::unique_ptr<TrainingJournal>> leftJournals_;
    WriteFailure failure_ = WriteFailure::None;
    bool lockWasBusy_ = false;
    // How long the exit waited for the lock.
    std::chrono::milliseconds exitWait_{0};
    bool finishedWriting_ = false;
    int leftOut_ = 0;
    std::unique_ptr<QTimer> retry_;
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
