#include "platform/history_file.h"

#include "platform/atomic_file.h"
#include "platform/file_descriptor.h"
#include "platform/home_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <system_error>

namespace kvarzel {
namespace {

// A descriptor holding an exclusive lock on "<history>.lock" for as long as
// it is open; -1 when the lock cannot be had.
int LockHistory(const std::filesystem::path& history) {
    std::filesystem::path lockPath = history;
    lockPath += ".lock";
    FileDescriptor fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    return fd.Get() >= 0 && ::flock(fd.Get(), LOCK_EX) == 0 ? fd.Release() : -1;
}

HistoryFile::Contents FromText(const std::string& text) {
    ParsedHistory parsed = ParseHistory(text);
    switch (parsed.Status) {
    case ParsedHistory::Kind::Empty:
        return {HistoryFile::Status::Missing, {}, 0};
    case ParsedHistory::Kind::Ours:
        return {HistoryFile::Status::Ours, std::move(parsed.Records), 0};
    case ParsedHistory::Kind::Foreign:
        return {HistoryFile::Status::Foreign, {}, parsed.BadLine};
    case ParsedHistory::Kind::Damaged:
        break;
    }
    return {HistoryFile::Status::Damaged, std::move(parsed.Records), parsed.BadLine};
}

} // namespace

std::filesystem::path UserHistoryPath() {
    return XdgBaseFolder("XDG_DATA_HOME", ".local/share") / "Tellumor" / "Kvarzel" / "history.csv";
}

HistoryFile::Contents HistoryFile::Load() const {
    const FileContents file = ReadWholeFile(path_, MaxFileSize);
    if (file.Status == FileReadStatus::Missing)
        return {};
    if (file.Status == FileReadStatus::Failed)
        return {Status::Unreadable, {}, 0};
    return FromText(file.Bytes);
}

HistoryFile::AppendResult HistoryFile::Append(const TrainingRecord& record,
                                              Contents& contentsBefore) const {
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    const FileDescriptor lock(LockHistory(path_));
    const FileContents file = ReadWholeFile(path_, MaxFileSize);
    if (file.Status == FileReadStatus::Failed) {
        contentsBefore = {Status::Unreadable, {}, 0};
        return AppendResult::Refused;
    }
    contentsBefore = FromText(file.Bytes);
    if (contentsBefore.State != Status::Missing && contentsBefore.State != Status::Ours)
        return AppendResult::Refused;
    std::string text = contentsBefore.State == Status::Missing ? HistoryHeaderLine() : file.Bytes;
    if (text.back() != '\n')
        text += '\n';
    text += HistoryLine(record);
    if (lock.Get() < 0 || !ReplaceFileAtomically(path_, text))
        return AppendResult::Failed;
    return AppendResult::Appended;
}

bool ExportHistory(const std::filesystem::path& path, const std::vector<TrainingRecord>& records) {
    std::string text = HistoryHeaderLine();
    for (const TrainingRecord& record : records)
        text += HistoryLine(record);
    return ReplaceFileAtomically(path, text);
}

} // namespace kvarzel
