// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/training_journal.h"

#include "core/history/history_csv.h"
#include "core/history/journal_text.h"
#include "platform/files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

// A name already taken is another journal's: the journal is made again under
// another name, a few times at most.
constexpr int NameAttempts = 5;
// As mkostemp fills its X's.
constexpr std::size_t UniqueNameLength = 6;

// The room for every line, taken from the disk now. Where the file system
// cannot reserve beyond the file's end, the file is filled with zero bytes
// instead, which a reader takes for room after the last whole line.
int Reserve(int fd, std::size_t size) {
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    return ::posix_fallocate(fd, 0, static_cast<off_t>(size));
}

// Gives the journal its name without replacing another file; where the file
// system cannot rename so, a hard link does the same.
int Publish(const std::string& temporary, const fs::path& name) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    if (::link(temporary.c_str(), name.c_str()) != 0)
        return errno;
    ::unlink(temporary.c_str());
    return 0;
}

// Writes the heading and takes the room of a locked journal not yet named.
int Prepare(int fd, const std::string& heading, std::size_t room) {
    off_t end = 0;
    return WriteAllAt(fd, heading, end) ? Reserve(fd, room) : errno;
}

// One attempt in one folder: the descriptor, locked, under `name`; or -1
// with `error` set (EEXIST: the name was taken) and nothing left behind. The
// journal is made under a temporary name, which a collector leaves alone
// while it is locked (and, empty, for a while: until it is locked), and
// renamed once it is locked and ready, so that nobody ever finds it unlocked
// under its own name.
int MakeJournal(const fs::path& folder, const std::string& prefix, const std::string& heading,
                std::size_t room, fs::path& name, int& error) {
    std::string temporary;
    FileDescriptor fd(CreateLockedTemporary(folder, "." + prefix, temporary));
    if (fd.Get() < 0) {
        error = errno;
        return -1;
    }
    name = folder / (prefix + temporary.substr(temporary.size() - UniqueNameLength));
    error = Prepare(fd.Get(), heading, room);
    if (error == 0)
        error = Publish(temporary, name);
    if (error != 0) {
        ::unlink(temporary.c_str());
        return -1;
    }
    return fd.Release();
}

int OpenFolder(const fs::path& folder) {
    return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

TrainingJournal::TrainingJournal(fs::path path, int fd, off_t end, int folder)
    : path_(std::move(path)), fd_(fd), folder_(folder), end_(end) {}

std::unique_ptr<TrainingJournal> TrainingJournal::Create(const JournalPlaces& places, int answers,
                                                         WriteFailure& failure) {
    failure = places.History.empty() ? WriteFailure::NoHomeFolder : WriteFailure::None;
    const std::string prefix = JournalPrefix(places);
    const std::string heading = JournalHeading(HistoryName(places.History));
    const std::size_t room = JournalRoom(heading.size(), answers);
    for (const JournalFolder& folder : JournalFolders(places)) {
        std::error_code ignored;
        fs::create_directories(folder.Path, ignored);
        int error = EEXIST;
        for (int attempt = 0; attempt < NameAttempts && error == EEXIST; ++attempt) {
            fs::path name;
            const int fd = MakeJournal(folder.Path, prefix, heading, room, name, error);
            if (fd < 0)
                continue;
            failure = WriteFailure::None;
            return std::unique_ptr<TrainingJournal>(new TrainingJournal(
                name, fd, static_cast<off_t>(heading.size()), OpenFolder(folder.Path)));
        }
        if (failure == WriteFailure::None)
            failure = WriteFailureOfError(error);
    }
    return nullptr;
}

// After a write that failed part way, the next line starts on a line of its
// own: the piece left behind fails its check and is passed over.
bool TrainingJournal::Append(const TrainingRecord& record) {
    record_ = record;
    const std::string line = HistoryLine(record);
    if (!WriteAllAt(fd_.Get(), failure_ == WriteFailure::None ? line : "\n" + line, end_)) {
        failure_ = WriteFailureOfError(errno);
        return false;
    }
    failure_ = WriteFailure::None;
    return true;
}

// The syncs start with the first line: the folder's first, so that the
// journal's name survives a power cut as well as its bytes.
bool TrainingJournal::Write(const TrainingRecord& record) {
    if (!Append(record))
        return false;
    if (!sync_ && folder_.Get() >= 0) {
        sync_ = std::make_unique<BackgroundSync>(fd_.Get(), folder_.Get());
        ::close(folder_.Release());
    }
    if (sync_)
        sync_->Request();
    return true;
}

bool TrainingJournal::Finish(const TrainingRecord& record) {
    if (!Append(record))
        return false;
    // The syncs under way end first; a journal without a line before has
    // its folder synced here.
    sync_.reset();
    if (folder_.Get() >= 0) {
        ::fsync(folder_.Get());
        ::close(folder_.Release());
    }
    if (::fdatasync(fd_.Get()) != 0) {
        failure_ = WriteFailureOfError(errno);
        return false;
    }
    return true;
}

void TrainingJournal::Remove() {
    sync_.reset();
    ::unlink(path_.c_str());
}

} // namespace kvarzel
