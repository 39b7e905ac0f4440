#include "platform/history_file.h"

#include "platform/atomic_file.h"
#include "platform/home_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace kvarzel {
namespace {

// Holds an exclusive lock on "<history>.lock" while it lives.
class HistoryLock {
public:
    explicit HistoryLock(const std::filesystem::path& history) {
        std::filesystem::path lockPath = history;
        lockPath += ".lock";
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;
    ~HistoryLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

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
    const HistoryLock lock(path_);
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
    if (!lock.Held() || !ReplaceFileAtomically(path_, text))
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
