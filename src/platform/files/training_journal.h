// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/training_record.h"
#include "core/write_failure.h"
#include "platform/files/background_sync.h"
#include "platform/files/file_descriptor.h"
#include "platform/files/journal_places.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kvarzel {

// A kept training on disk until its line is in the history. Its first line
// names the history it belongs to (see journal_text.h); after every answer
// the training so far is appended as a whole history line (a few hundred
// bytes, never a rewrite) and synced by a background thread; the line of its
// end, finished or abandoned, is synced before the call returns. Whatever
// cuts the program off, a later start of the same history finds the
// journal's last whole line (each line carries its check) and adds it to the
// history, as abandoned unless the training had ended.
//
// The room for every line the training can write is reserved when the
// journal is made, so that a disk that fills up later cannot stop them. The
// journal is locked while a program holds it, from before its name appears,
// so that a start never takes the journal of a training another copy is
// still playing.
class TrainingJournal {
public:
    // How many journals one collection holds at most: each keeps a file
    // descriptor open, and their number is bounded by the system.
    static constexpr std::size_t CollectLimit = 256;

    // A new journal for a training just `started` (its pea count, start and
    // id), in the first place that takes one: made under a temporary name,
    // locked, its heading written (with the training's start and id) and the
    // room for all its answers reserved, then given its name. Nothing, with
    // the reason (the history's own place's), when none does; nothing is
    // then left behind.
    static std::unique_ptr<TrainingJournal> Create(const JournalPlaces& places,
                                                   const TrainingRecord& started,
                                                   WriteFailure& failure);

    // What a start finds of the history's journals that earlier runs left.
    struct Left {
        // Locked by this program, each with its training, oldest training
        // first; each goes with Remove() once its line is in the history.
        std::vector<std::unique_ptr<TrainingJournal>> Journals;
        // Journals of this history bigger than a training can write: renamed
        // to "<journal>.damaged" without being read.
        std::vector<std::filesystem::path> SetAside;
        // The limit was reached and more journals are there, perhaps of this
        // history: collect again once these are done.
        bool More = false;
        // When listed: the starts of this history's trainings whose journals
        // running programs hold, trainings under way, all of them whatever
        // the limit (which costs a look at every journal).
        std::vector<TrainingStart> Held;
    };
    // The journals of `places.History` that no running program holds,
    // beside it (those without a heading too: the older layout) and in the
    // fallback folder (only those whose heading names it). Journals of this
    // history without a whole line (a training cut off before its first
    // answer reached the disk), and temporary files a killed creation left,
    // are removed. Reads only each journal's heading and its last lines, and
    // touches no toolkit: it may run on any thread.
    static Left CollectLeftJournals(const JournalPlaces& places,
                                    std::size_t limit = CollectLimit, bool listHeld = true);
    // Sorts journals taken in pieces as a collection gives them: oldest training first.
    static void OldestFirst(std::vector<std::unique_ptr<TrainingJournal>>& journals);

    // The same look at the history's journals, a few files at a time, so
    // that no step costs long whatever their number: each step reads the
    // next names of the folders and looks at those files, as a collection
    // does. A journal made after the look began may be passed over.
    class Scan {
    public:
        explicit Scan(JournalPlaces places);
        // Looks at up to `files` more files, adding what it finds to `left`
        // and taking journals while `left` holds fewer than `limit`; one that
        // could have been taken beyond it sets Left::More. True once every
        // file has been looked at.
        bool Step(std::size_t files, Left& left, std::size_t limit);

    private:
        JournalPlaces places_;
        std::vector<JournalFolder> folders_;
        std::size_t folder_ = 0;
        std::filesystem::directory_iterator entry_;
        bool opened_ = false;
        std::string prefix_;
        std::string history_;
    };

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
    TrainingJournal(std::filesystem::path path, int fd, off_t end = 0, int folder = -1);
    bool Append(const TrainingRecord& record);
    static void Take(const std::filesystem::path& path, bool besideHistory,
                     const std::string& history, bool room, Left& left);

    std::filesystem::path path_;
    FileDescriptor fd_;
    // The folder of a journal made here, until its first sync.
    FileDescriptor folder_;
    // Where the next line goes: the file may be longer, its room reserved.
    off_t end_;
    std::unique_ptr<BackgroundSync> sync_;
    std::optional<TrainingRecord> record_;
    WriteFailure failure_ = WriteFailure::None;
};

} // namespace kvarzel
