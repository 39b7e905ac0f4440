// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/history_file.h"

#include "platform/files/atomic_file.h"
#include "platform/files/damaged_tail.h"
#include "platform/files/file_descriptor.h"
#include "platform/files/file_lock.h"
#include "platform/files/home_folder.h"
#include "platform/files/replaceable_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kvarzel {
namespace {

using Status = HistoryFile::Status;
using Contents = HistoryFile::Contents;
using AppendResult = HistoryFile::AppendResult;

FileStamp StampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

// A history read, with where a new line may go.
struct ReadHistory {
    Contents Read;
    ParsedHistory::Kind Kind = ParsedHistory::Kind::Empty;
    bool OlderFormat = false;
    std::size_t DataEnd = 0;
    bool DataEndsMidLine = false;
    bool DamagedTail = false;
};

Contents InState(Status state) {
    Contents contents;
    contents.State = state;
    return contents;
}

Status StatusOf(ParsedHistory::Kind kind) {
    switch (kind) {
    case ParsedHistory::Kind::Empty:
        return Status::Missing;
    case ParsedHistory::Kind::Ours:
        return Status::Ours;
    case ParsedHistory::Kind::Foreign:
        return Status::Foreign;
    case ParsedHistory::Kind::Damaged:
        break;
    }
    return Status::Damaged;
}

// The file's bytes up to the size it had when opened, block by block from its
// start; only the records stay in memory.
ReadHistory ReadOpenFile(int fd, const struct stat& info) {
    ReadHistory history;
    if (!S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > HistoryFile::MaxFileSize) {
        history.Read.State = Status::Unreadable;
        return history;
    }
    HistoryParser parser;
    char block[65536];
    for (off_t offset = 0; offset < info.st_size && !parser.Stopped();) {
        const std::size_t wanted = static_cast<std::size_t>(
            std::min<off_t>(static_cast<off_t>(sizeof block), info.st_size - offset));
        const ssize_t count = ::pread(fd, block, wanted, offset);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            history.Read.State = Status::Unreadable;
            return history;
        }
        if (count == 0)
            break; // the file shrank while it was read: what there was
        parser.Feed(std::string_view(block, static_cast<std::size_t>(count)));
        offset += count;
    }
    ParsedHistory parsed = parser.Finish();
    history.Kind = parsed.Status;
    history.OlderFormat = parsed.OlderFormat;
    history.DataEnd = parsed.DataEnd;
    history.DataEndsMidLine = parsed.DataEndsMidLine;
    history.DamagedTail = parsed.DamagedTail;
    if (parsed.DamagedTail)
        history.Read.DamagedTailBytes = static_cast<std::uint64_t>(info.st_size) - parsed.DataEnd;
    history.Read.State = StatusOf(parsed.Status);
    history.Read.Records = std::move(parsed.Records);
    for (const TrainingRecord& record : history.Read.Records)
        if (record.Start)
            history.Read.Ids.insert(record.Start->Id);
    history.Read.BadLine = parsed.BadLine;
    const bool endsCleanly = parsed.DataEnd == static_cast<std::size_t>(info.st_size) &&
                             !parsed.DataEndsMidLine && !parsed.OlderFormat;
    if (history.Read.State == Status::Ours && endsCleanly)
        history.Read.AppendableAsIs = StampOf(info);
    return history;
}

// A history line that could not be read back would leave the whole file
// damaged, closed to every later training: such a record is not written.
bool ReadsBack(const TrainingRecord& record, std::string_view line) {
    line.remove_suffix(1);
    const std::optional<TrainingRecord> read = ParseHistoryLine(line);
    return read && *read == AsStoredInHistory(record);
}

bool AllReadBack(std::span<const TrainingRecord> records) {
    return std::all_of(records.begin(), records.end(), [](const TrainingRecord& record) {
        return ReadsBack(record, HistoryLine(record));
    });
}

// The records the file does not hold yet, and their lines: a training whose
// id is in the file already (a journal completed again after a kill between
// its line's write and its removal) is not written twice.
struct NewLines {
    std::vector<TrainingRecord> Records;
    std::string Text;
};

NewLines NotYetIn(const Contents& contents, std::span<const TrainingRecord> records) {
    NewLines lines;
    for (const TrainingRecord& record : records) {
        if (record.Start && contents.Ids.contains(record.Start->Id))
            continue;
        lines.Records.push_back(record);
        lines.Text += HistoryLine(record);
    }
    return lines;
}

void Add(Contents& contents, std::span<const TrainingRecord> records, const FileStamp& stamp) {
    contents.State = Status::Ours;
    contents.Failure = WriteFailure::None;
    contents.Seen = stamp;
    contents.BadLine = 0;
    for (const TrainingRecord& record : records) {
        contents.Records.push_back(AsStoredInHistory(record));
        if (record.Start)
            contents.Ids.insert(record.Start->Id);
    }
    contents.AppendableAsIs = stamp;
}

// A new file, or one of the previous format, is written whole in one atomic
// replace: a reader never sees a header without its lines.
AppendResult WriteWhole(const std::filesystem::path& target, std::string text,
                        std::span<const TrainingRecord> records, Contents& contents) {
    struct stat info {};
    std::error_code error;
    if (!ReplaceFileAtomically(target, text, error) || ::stat(target.c_str(), &info) != 0) {
        contents.Failure = WriteFailureOfError(error ? error.value() : errno);
        return AppendResult::Failed;
    }
    Add(contents, records, StampOf(info));
    return AppendResult::Appended;
}

std::string RewrittenInCurrentFormat(const std::vector<TrainingRecord>& records,
                                     const std::string& lines) {
    std::string text = HistoryHeaderLine();
    for (const TrainingRecord& record : records)
        text += HistoryLine(record);
    return text + lines;
}

// The lines go to the end in one write and are synced; a write that fails
// part way is cut away again, so the file is as it was.
AppendResult AppendAtEnd(int fd, const std::string& lines, std::span<const TrainingRecord> records,
                         Contents& contents) {
    if (records.empty())
        return AppendResult::Appended;
    struct stat before {};
    if (::fstat(fd, &before) != 0)
        return AppendResult::Failed;
    if (!WriteAll(fd, lines) || ::fsync(fd) != 0) {
        contents.Failure = WriteFailureOfError(errno);
        if (::ftruncate(fd, before.st_size) == 0)
            ::fsync(fd);
        contents.AppendableAsIs.reset();
        return AppendResult::Failed;
    }
    struct stat after {};
    if (::fstat(fd, &after) != 0)
        return AppendResult::Failed;
    Add(contents, records, StampOf(after));
    return AppendResult::Appended;
}

// The file as it now is; the tails moved aside stay until the caller has
// told them.
void TakeAsNow(Contents& contents, Contents now) {
    now.MovedTails = std::move(contents.MovedTails);
    contents = std::move(now);
}

// What follows the last training and is more than blank lines (zero bytes a
// power cut left, a line cut short, garbage) goes to a file of its own beside
// the history before any new line comes: nothing is thrown away, and the
// history takes lines again.
bool MoveDamagedTailAside(int fd, const struct stat& info, const std::filesystem::path& target,
                          const ReadHistory& history, Contents& contents) {
    int error = 0;
    const std::optional<std::filesystem::path> aside =
        CopyTailAside(fd, static_cast<off_t>(history.DataEnd), info.st_size, target,
                      std::chrono::system_clock::now(), error);
    if (!aside) {
        contents.Failure = WriteFailureOfError(error);
        return false;
    }
    contents.MovedTails.push_back(*aside);
    contents.DamagedTailBytes = 0;
    return true;
}

// The file changed since it was last seen, or was never read: it is read and
// checked again, under the lock, and made ready to take lines at its end.
AppendResult AppendAfterReading(int fd, const struct stat& info,
                                const std::filesystem::path& target,
                                std::span<const TrainingRecord> all, Contents& contents) {
    ReadHistory history = ReadOpenFile(fd, info);
    TakeAsNow(contents, std::move(history.Read));
    contents.Seen = StampOf(info);
    const NewLines fresh = NotYetIn(contents, all);
    const std::string& lines = fresh.Text;
    const std::span<const TrainingRecord> records = fresh.Records;
    if (contents.State == Status::Missing)
        return WriteWhole(target, HistoryHeaderLine() + lines, records, contents);
    if (contents.State != Status::Ours) {
        contents.Failure = contents.State == Status::Unreadable ? WriteFailure::NotRegularFile
                                                                : WriteFailure::NotOurFile;
        return AppendResult::Refused;
    }
    if (records.empty())
        return AppendResult::Appended;
    if (history.DamagedTail && !MoveDamagedTailAside(fd, info, target, history, contents))
        return AppendResult::Failed;
    if (history.OlderFormat)
        return WriteWhole(target, RewrittenInCurrentFormat(contents.Records, lines), records,
                          contents);
    // Blank lines and the tail go; a last line without its end gets one.
    if (static_cast<std::size_t>(info.st_size) > history.DataEnd &&
        ::ftruncate(fd, static_cast<off_t>(history.DataEnd)) != 0) {
        contents.Failure = WriteFailureOfError(errno);
        return AppendResult::Failed;
    }
    if (!history.DataEndsMidLine)
        return AppendAtEnd(fd, lines, records, contents);
    std::string ended(1, '\n');
    ended += lines;
    return AppendAtEnd(fd, ended, records, contents);
}

// The records read before stay for the caller to show.
AppendResult Refuse(Contents& contents, Status why, WriteFailure failure) {
    contents.State = why;
    contents.AppendableAsIs.reset();
    contents.Failure = failure;
    return AppendResult::Refused;
}

AppendResult Fail(Contents& contents, WriteFailure failure) {
    contents.Failure = failure;
    return AppendResult::Failed;
}

// Opening a file that is there but cannot be opened for writing.
WriteFailure OpenFailure(int error) {
    if (error == EACCES || error == EPERM)
        return WriteFailure::FileProtected;
    return WriteFailureOfError(error);
}

// Only a regular file of the user's, with its write permission, is written;
// checked on the open file, so that nothing put in its place meanwhile is.
bool IsUsersWritableFile(const struct stat& info) {
    return IsUsersRegularFile(info) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

AppendResult AppendLocked(const std::filesystem::path& target,
                          std::span<const TrainingRecord> records, Contents& contents) {
    FileDescriptor fd(
        ::open(target.c_str(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0 && errno == ENOENT) {
        // A file that is gone holds none of the lines read from it before.
        TakeAsNow(contents, {});
        const NewLines fresh = NotYetIn(contents, records);
        return WriteWhole(target, HistoryHeaderLine() + fresh.Text, fresh.Records, contents);
    }
    struct stat info {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) {
        const int error = errno;
        const bool protectedFile = error == EACCES || error == EPERM || error == EROFS;
        return Refuse(contents, protectedFile ? Status::Protected : Status::Unreadable,
                      OpenFailure(error));
    }
    if (!S_ISREG(info.st_mode))
        return Refuse(contents, Status::Unreadable, WriteFailure::NotRegularFile);
    if (!IsUsersWritableFile(info))
        return Refuse(contents, Status::Protected, WriteFailure::FileProtected);
    if (contents.AppendableAsIs && *contents.AppendableAsIs == StampOf(info)) {
        const NewLines fresh = NotYetIn(contents, records);
        return AppendAtEnd(fd.Get(), fresh.Text, fresh.Records, contents);
    }
    return AppendAfterReading(fd.Get(), info, target, records, contents);
}

} // namespace

std::filesystem::path UserHistoryPath() {
    const std::filesystem::path data = XdgBaseFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? data : data / "Tellumor" / "Kvarzel" / "history.csv";
}

std::optional<FileStamp> HistoryFile::CurrentStamp() const {
    struct stat info {};
    if (path_.empty() || ::stat(path_.c_str(), &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::filesystem::path HistoryFile::LockPath() const {
    std::filesystem::path lock = path_;
    return lock += ".lock";
}

HistoryFile::Contents HistoryFile::Load() const {
    if (path_.empty())
        return {};
    // Non-blocking, so that a pipe put in the file's place cannot hang the program.
    FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        return InState(errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        return InState(Status::Unreadable);
    Contents contents = ReadOpenFile(fd.Get(), info).Read;
    contents.Seen = StampOf(info);
    return contents;
}

HistoryFile::AppendResult HistoryFile::Append(std::span<const TrainingRecord> records,
                                              Contents& contents,
                                              std::chrono::milliseconds lockWait) const {
    if (!AllReadBack(records))
        return Fail(contents, WriteFailure::Unknown);
    if (records.empty())
        return AppendResult::Appended;
    if (path_.empty())
        return Fail(contents, WriteFailure::NoHomeFolder);
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    if (error)
        return Fail(contents, WriteFailureOfError(error.value()));
    const std::optional<std::filesystem::path> target = ReplaceableFile(path_);
    if (!target)
        return Refuse(contents, Status::Protected, WriteFailure::FileProtected);
    const FileLock lock = FileLock::Take(LockPath(), lockWait);
    switch (lock.Result()) {
    case FileLock::State::Held:
        break;
    case FileLock::State::Busy:
        contents.Failure = WriteFailure::LockedByOther;
        return AppendResult::Busy;
    // A lock that cannot be used says nothing of the history itself, which
    // keeps showing; the lines wait for a later append.
    case FileLock::State::Refused:
        return Fail(contents, WriteFailure::LockNotUsable);
    case FileLock::State::Failed:
        return Fail(contents, WriteFailureOfError(lock.Error()));
    }
    return AppendLocked(*target, records, contents);
}

} // namespace kvarzel
