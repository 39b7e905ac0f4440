// SPDX-License-Identifier: GPL-3.0-or-later
// Collecting the journals earlier runs left: which are this history's, and
// the last training each holds, read from its end.
#include "platform/files/training_journal.h"

#include "core/history/history_csv.h"
#include "core/history/journal_text.h"
#include "platform/files/atomic_file.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

// The last lines are read in windows from the end, the first this large.
constexpr std::size_t FirstWindow = 16 << 10;

// The descriptor of the file at `path` when it is the user's regular file;
// anything else in a journal's place is left alone.
int OpenUsersFile(const fs::path& path, struct stat& info) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !IsUsersRegularFile(info))
        return -1;
    return fd.Release();
}

// The same, locked, while the file still has that name: a journal that its
// program removed between the open and the lock (its line already in the
// history) is not taken again.
int OpenLocked(const fs::path& path, struct stat& info) {
    FileDescriptor fd(OpenUsersFile(path, info));
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 || !NameLeadsTo(path, fd.Get()))
        return -1;
    return fd.Release();
}

bool ReadJournalBytes(int fd, std::string& bytes, off_t offset, std::size_t count) {
    bytes.resize(count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t read = ::pread(fd, bytes.data() + got, count - got, offset + static_cast<off_t>(got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return false;
        if (read == 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    bytes.resize(got);
    return true;
}

enum class LastLine { Found, None, Unreadable };

// The last whole line after `start`, read from the end in growing windows:
// a journal costs its last lines, whatever its length.
LastLine ReadLastWholeLine(int fd, off_t start, off_t size, std::optional<TrainingRecord>& record) {
    std::string bytes;
    for (std::size_t window = FirstWindow;; window *= 2) {
        const off_t from = std::max<off_t>(start, size - static_cast<off_t>(window));
        if (!ReadJournalBytes(fd, bytes, from, static_cast<std::size_t>(size - from)))
            return LastLine::Unreadable;
        std::string_view text = bytes;
        // A window that starts inside a line leaves that line to the next.
        if (from > start)
            text.remove_prefix(std::min(text.size(), text.find('\n') + 1));
        record = ParseJournalText(text);
        if (record)
            return LastLine::Found;
        if (from == start)
            return LastLine::None;
    }
}

// The start of the training that a journal another program holds is
// writing, when its heading does not say it (a journal of the older
// layout): every line carries it, and the first whole line is enough.
std::optional<TrainingStart> HeldTrainingStart(int fd, off_t start) {
    std::string head;
    if (!ReadJournalBytes(fd, head, start, 2 * MaxHistoryLineLength))
        return std::nullopt;
    std::string_view text = head;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        if (const auto record = ParseHistoryLine(text.substr(0, end)))
            return record->Start;
        text.remove_prefix(end + 1);
    }
    return std::nullopt;
}

enum class Owner { ThisHistory, Another, Unknown };

Owner OwnerOf(const ReadHeading& heading, bool besideHistory, const std::string& history) {
    switch (heading.State) {
    case ReadHeading::Kind::Named:
        return heading.History == history ? Owner::ThisHistory : Owner::Another;
    case ReadHeading::Kind::Foreign:
        return Owner::Another;
    case ReadHeading::Kind::None:
        break;
    }
    // Without a heading, a journal beside the history is of the older
    // layout, which put only the history's own journals there.
    return besideHistory ? Owner::ThisHistory : Owner::Unknown;
}

// A journal of this history that is bigger than a training can write is not
// read: it goes out of the way under a name of its own, kept for the user.
void SetAside(const fs::path& path, TrainingJournal::Left& left) {
    fs::path aside = path;
    aside += ".damaged";
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0)
        left.SetAside.push_back(aside);
}

// A temporary file that can be locked was left by a creation that was killed
// before the journal took its name: it holds no training. One still empty
// may be a creation between making the file and locking it, which writes
// the heading once locked: it is left a while.
constexpr std::chrono::minutes EmptyTemporaryLife{1};

void RemoveAbandoned(const fs::path& path) {
    struct stat info {};
    const FileDescriptor fd(OpenLocked(path, info));
    if (fd.Get() < 0)
        return;
    const auto changed = std::chrono::system_clock::from_time_t(info.st_ctim.tv_sec);
    if (info.st_size > 0 || changed + EmptyTemporaryLife < std::chrono::system_clock::now())
        ::unlink(path.c_str());
}

} // namespace

void TrainingJournal::Take(const fs::path& path, bool besideHistory, const std::string& history,
                           bool room, Left& left) {
    struct stat info {};
    FileDescriptor fd(OpenUsersFile(path, info));
    if (fd.Get() < 0)
        return;
    // Held by a program that is still playing that training.
    const bool held = ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0;
    if (!held && !NameLeadsTo(path, fd.Get()))
        return;
    // Past the limit, only held journals are read, for their starts. Whose
    // the others are is left to the next collection, which takes some.
    if (!held && !room) {
        left.More = true;
        return;
    }
    std::string head;
    if (!ReadJournalBytes(fd.Get(), head, 0,
                          std::min<std::size_t>(LongestJournalHeading,
                                                static_cast<std::size_t>(info.st_size))))
        return;
    const ReadHeading heading = ReadJournalHeading(head);
    const Owner owner = OwnerOf(heading, besideHistory, history);
    const off_t start = heading.State == ReadHeading::Kind::Named
                            ? static_cast<off_t>(head.find('\n') + 1)
                            : 0;
    if (owner == Owner::Another || (held && owner == Owner::Unknown))
        return;
    if (held) {
        if (const std::optional<TrainingStart> training =
                heading.Training ? heading.Training : HeldTrainingStart(fd.Get(), start))
            left.Held.push_back(*training);
        return;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > MaxJournalSize()) {
        if (owner == Owner::ThisHistory)
            SetAside(path, left);
        return;
    }
    std::optional<TrainingRecord> record;
    switch (ReadLastWholeLine(fd.Get(), start, info.st_size, record)) {
    case LastLine::Unreadable:
        return;
    // Nothing of a training reached the disk: whoever's it was, nothing is lost.
    case LastLine::None:
        ::unlink(path.c_str());
        return;
    case LastLine::Found:
        break;
    }
    if (owner == Owner::Unknown)
        return;
    std::unique_ptr<TrainingJournal> journal(new TrainingJournal(path, fd.Release()));
    journal->record_ = std::move(record);
    left.Journals.push_back(std::move(journal));
}

TrainingJournal::Scan::Scan(JournalPlaces places)
    : places_(std::move(places)), folders_(JournalFolders(places_)),
      prefix_(JournalPrefix(places_)), history_(HistoryName(places_.History)) {}

bool TrainingJournal::Scan::Step(std::size_t files, Left& left, std::size_t limit) {
    std::error_code error;
    for (std::size_t looked = 0; folder_ < folders_.size() && looked < files;) {
        const JournalFolder& folder = folders_[folder_];
        if (!std::exchange(opened_, true))
            entry_ = fs::directory_iterator(folder.Path, error);
        if (error || entry_ == fs::directory_iterator()) {
            ++folder_;
            opened_ = false;
            error.clear();
            continue;
        }
        const fs::path path = entry_->path();
        entry_.increment(error);
        const std::string name = path.filename().string();
        if (IsTemporaryJournalName(name, prefix_))
            RemoveAbandoned(path);
        if (IsJournalName(name, prefix_)) {
            Take(path, folder.BesideHistory, history_, left.Journals.size() < limit, left);
            ++looked;
        }
    }
    return folder_ == folders_.size();
}

void TrainingJournal::OldestFirst(std::vector<std::unique_ptr<TrainingJournal>>& journals) {
    std::stable_sort(journals.begin(), journals.end(), [](const auto& a, const auto& b) {
        return a->record_->Finished < b->record_->Finished;
    });
}

TrainingJournal::Left TrainingJournal::CollectLeftJournals(const JournalPlaces& places,
                                                           std::size_t limit, bool listHeld) {
    Left left;
    Scan scan(places);
    // Without the held journals asked for, the look ends once the limit is passed.
    while (!scan.Step(listHeld ? SIZE_MAX : 1, left, limit) && !left.More) {
    }
    OldestFirst(left.Journals);
    return left;
}

} // namespace kvarzel
