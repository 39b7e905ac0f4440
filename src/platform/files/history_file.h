// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/history/history_csv.h"
#include "core/write_failure.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace kvarzel {

// ${XDG_DATA_HOME:-$HOME/.local/share}/Tellumor/Kvarzel/history.csv; empty
// when there is no home folder (nothing is then written anywhere).
std::filesystem::path UserHistoryPath();

// Which file, in which state: a file that still has all of these was not
// touched since they were taken.
struct FileStamp {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t ModifiedSeconds = 0;
    std::int64_t ModifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The training history on disk: one line per training, added at the end.
//
// Appending writes whole lines at the file's end (O_APPEND) under a lock file
// and syncs them, instead of replacing the whole file: a history of a hundred
// thousand trainings is some 20 MB, and writing all of it again after every
// training would cost the window a noticeable pause. A crash or a kill in the
// middle of the write can leave only the start of a line, without its line
// end, and a power cut can leave zero bytes or garbage after the last line
// that reached the disk. Reading keeps every whole line before such a tail;
// the next append, under the lock, copies the tail to a file beside the
// history (see DamagedTailPath) and cuts it away first. A write that fails (a
// full disk) is cut away at once. So no line is lost or doubled either way,
// and a damaged tail never stops the history.
//
// A file that is not ours (foreign, damaged, unreadable), or that is not the
// user's to change (see ReplaceableFile: a link to something that is not the
// user's regular file, a write-protected file, another user's file), is left
// as it is. A file of the previous format is rewritten once, atomically, in
// the current one; its lines keep no evidence.
class HistoryFile {
public:
    // Far beyond any history a person can play; a larger file is not ours.
    static constexpr std::size_t MaxFileSize = 256 << 20;
    static constexpr std::chrono::milliseconds DefaultLockWait{1500};

    enum class Status {
        Missing,
        Ours,
        Foreign,
        Damaged,
        Unreadable,
        Protected, // not the user's to change: see above; its records may still be shown
    };

    struct Contents {
        Status State = Status::Missing;
        std::vector<TrainingRecord> Records;
        // The ids of the records that have one: a training is written once.
        std::unordered_set<TrainingId, TrainingIdHash> Ids;
        int BadLine = 0;
        // The file as this program last read or wrote it, when it could take
        // new lines at its end as it was: an append to it, unchanged since,
        // neither reads nor checks it again.
        std::optional<FileStamp> AppendableAsIs;
        // The file as it was when this program last read or wrote it.
        std::optional<FileStamp> Seen;
        // Why the last append did not write (Failed, Busy or Refused).
        WriteFailure Failure = WriteFailure::None;
        // The bytes after the last training that are more than blank lines
        // (a line cut short, zero bytes, garbage): the next append moves them
        // aside.
        std::uint64_t DamagedTailBytes = 0;
        // The files the appends on these contents moved damaged tails to,
        // oldest first, kept through later appends: the caller tells the
        // user once, then clears it. Load never fills it.
        std::vector<std::filesystem::path> MovedTails;
    };

    explicit HistoryFile(std::filesystem::path path,
                         std::chrono::milliseconds lockWait = DefaultLockWait)
        : path_(std::move(path)), lockWait_(lockWait) {}

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path LockPath() const;
    Contents Load() const;
    // The file as it is now; nothing when it is missing.
    std::optional<FileStamp> CurrentStamp() const;

    enum class AppendResult {
        Appended,
        Refused, // not ours, or not the user's to change; `contents` says which
        Failed,  // could not be written (a full disk, a read-only folder): nothing changed
        Busy,    // another program kept the lock all through the wait: nothing changed
    };
    // Adds the records, in order, in one write; a record whose id the file
    // holds already is left out (and counts as written). `contents` is what
    // the caller last had of the file: it comes back as the file now is.
    AppendResult Append(std::span<const TrainingRecord> records, Contents& contents) const {
        return Append(records, contents, lockWait_);
    }
    // The same with another bound on the wait for the lock: zero tries once.
    AppendResult Append(std::span<const TrainingRecord> records, Contents& contents,
                        std::chrono::milliseconds lockWait) const;

private:
    std::filesystem::path path_;
    std::chrono::milliseconds lockWait_;
};

// Writes the records as a history text to a file of the user's choosing,
// replacing a file there under the same rules as the history: a link to
// something that is not the user's regular file, a write-protected file or
// another user's file is left as it is. Message: why it failed, in words the
// user can act on.
struct ExportResult {
    bool Ok = false;
    std::string Message;
};
ExportResult ExportHistory(const std::filesystem::path& path,
                           std::span<const TrainingRecord> records);

} // namespace kvarzel
