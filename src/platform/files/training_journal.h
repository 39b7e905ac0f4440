// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/training_record.h"
#include "core/write_failure.h"
#include "platform/files/background_sync.h"
#include "platform/files/file_descriptor.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace kvarzel {

// Where the journals of kept trainings go: beside the history, named
// "<history>.journal-XXXXXX", or, when the history's folder refuses new files,
// under the same names in a folder of the user's own.
struct JournalPlaces {
    std::filesystem::path History;
    std::filesystem::path Fallback;
};

// The history's journals, falling back to
// ${XDG_STATE_HOME:-$HOME/.local/state}/Tellumor/Kvarzel.
JournalPlaces UserJournalPlaces(const std::filesystem::path& history);

// A kept training on disk from its first answer until its line is in the
// history. After every answer the training so far is appended as a whole
// history line (a few hundred bytes, never a rewrite) and synced by a
// background thread; the line of its end, finished or abandoned, is synced
// before the call returns. Whatever cuts the program off, the next start
// finds the journal's last whole line (each line carries its check) and adds
// it to the history, as abandoned unless the training had ended.
//
// The journal is locked while a program holds it, so that a start never
// takes the journal of a training another copy is still playing.
class TrainingJournal {
public:
    // A new journal in the first place that takes one; nothing, with the
    // reason, when none does.
    static std::unique_ptr<TrainingJournal> Create(const JournalPlaces& places,
                                                   WriteFailure& failure);
    // The journals that earlier runs left and no running program holds,
    // each with its training, oldest training first. Journals without a
    // whole line (a training cut off before its first answer reached the
    // disk) are removed. `held`, when given, receives the start of each
    // training whose journal a running program holds: a training under way.
    static std::vector<std::unique_ptr<TrainingJournal>>
    CollectLeft(const JournalPlaces& places, std::vector<TrainingStart>* held = nullptr);

    TrainingJournal(const TrainingJournal&) = delete;
    TrainingJournal& operator=(const TrainingJournal&) = delete;

    // The training so far: appended now, synced in the background.
    bool Write(const TrainingRecord& record);
    // The training's end: appended and synced before it returns.
    bool Finish(const TrainingRecord& record);
    // The last training written, or read from a journal left behind.
    const std::optional<TrainingRecord>& Record() const { return record_; }
    // Its line is in the history: the journal goes.
    void Remove();
    const std::filesystem::path& Path() const { return path_; }
    // Why the last write failed.
    WriteFailure Failure() const { return failure_; }

private:
    TrainingJournal(std::filesystem::path path, int fd);
    bool Append(const TrainingRecord& record);

    std::filesystem::path path_;
    FileDescriptor fd_;
    std::unique_ptr<BackgroundSync> sync_;
    std::optional<TrainingRecord> record_;
    WriteFailure failure_ = WriteFailure::None;
};

} // namespace kvarzel
