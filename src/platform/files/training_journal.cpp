// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/training_journal.h"

#include "core/history/history_csv.h"
#include "platform/files/atomic_file.h"
#include "platform/files/home_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

// A journal holds one line per answer of one training: 9 999 lines of a few
// hundred bytes at most.
constexpr std::size_t MaxJournalSize = 64 << 20;

std::string JournalPrefix(const JournalPlaces& places) {
    return places.History.filename().string() + ".journal-";
}

std::vector<fs::path> Folders(const JournalPlaces& places) {
    std::vector<fs::path> folders;
    if (!places.History.empty())
        folders.push_back(places.History.parent_path());
    if (!places.Fallback.empty() && places.Fallback != places.History.parent_path())
        folders.push_back(places.Fallback);
    return folders;
}

int OpenFolder(const fs::path& folder) {
    return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// A journal is the user's regular file; anything else in its place is left alone.
bool IsUsersRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// The start of the training a journal that another program holds is
// writing, which every line of it carries: the first whole line is enough.
// Nothing before that line is written.
std::optional<TrainingStart> HeldTrainingStart(int fd) {
    std::string head(2 * MaxHistoryLineLength, '\0');
    const ssize_t count = ::pread(fd, head.data(), head.size(), 0);
    if (count <= 0)
        return std::nullopt;
    head.resize(static_cast<std::size_t>(count));
    std::string_view text = head;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        if (const auto record = ParseHistoryLine(text.substr(0, end)))
            return record->Start;
        text.remove_prefix(end + 1);
    }
    return std::nullopt;
}

} // namespace

JournalPlaces UserJournalPlaces(const fs::path& history) {
    const fs::path state = XdgBaseFolder("XDG_STATE_HOME", ".local/state");
    return {history, state.empty() ? fs::path() : state / "Tellumor" / "Kvarzel"};
}

TrainingJournal::TrainingJournal(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {}

std::unique_ptr<TrainingJournal> TrainingJournal::Create(const JournalPlaces& places,
                                                         WriteFailure& failure) {
    failure = places.History.empty() ? WriteFailure::NoHomeFolder : WriteFailure::FolderNotWritable;
    for (const fs::path& folder : Folders(places)) {
        std::error_code error;
        fs::create_directories(folder, error);
        std::string name = (folder / JournalPrefix(places)).string() + "XXXXXX";
        const int fd = ::mkostemp(name.data(), O_APPEND | O_CLOEXEC);
        if (fd < 0) {
            failure = WriteFailureOfError(errno);
            continue;
        }
        ::flock(fd, LOCK_EX | LOCK_NB);
        const FileDescriptor folderFd(OpenFolder(folder));
        std::unique_ptr<TrainingJournal> journal(new TrainingJournal(name, fd));
        journal->sync_ = std::make_unique<BackgroundSync>(fd, folderFd.Get());
        failure = WriteFailure::None;
        return journal;
    }
    return nullptr;
}

std::vector<std::unique_ptr<TrainingJournal>>
TrainingJournal::CollectLeft(const JournalPlaces& places, std::vector<TrainingStart>* held) {
    std::vector<std::unique_ptr<TrainingJournal>> journals;
    const std::string prefix = JournalPrefix(places);
    for (const fs::path& folder : Folders(places)) {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (!entry.path().filename().string().starts_with(prefix))
                continue;
            FileDescriptor fd(::open(entry.path().c_str(),
                                     O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            if (fd.Get() < 0 || !IsUsersRegularFile(fd.Get()))
                continue;
            // Held by a program that is still playing that training.
            if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
                if (const auto start = held ? HeldTrainingStart(fd.Get()) : std::nullopt)
                    held->push_back(*start);
                continue;
            }
            const FileContents contents = ReadWholeFile(entry.path(), MaxJournalSize);
            std::unique_ptr<TrainingJournal> journal(
                new TrainingJournal(entry.path(), fd.Release()));
            journal->record_ = ParseJournalText(contents.Bytes);
            if (contents.Status == FileReadStatus::Read && !journal->record_)
                journal->Remove();
            else if (journal->record_)
                journals.push_back(std::move(journal));
        }
    }
    std::stable_sort(journals.begin(), journals.end(), [](const auto& a, const auto& b) {
        return a->record_->Finished < b->record_->Finished;
    });
    return journals;
}

// After a write that failed part way, the next line starts on a line of its
// own: the piece left behind fails its check and is passed over.
bool TrainingJournal::Append(const TrainingRecord& record) {
    record_ = record;
    const std::string line = HistoryLine(record);
    if (!WriteAll(fd_.Get(), failure_ == WriteFailure::None ? line : "\n" + line)) {
        failure_ = WriteFailureOfError(errno);
        return false;
    }
    failure_ = WriteFailure::None;
    return true;
}

bool TrainingJournal::Write(const TrainingRecord& record) {
    if (!Append(record))
        return false;
    if (sync_)
        sync_->Request();
    return true;
}

bool TrainingJournal::Finish(const TrainingRecord& record) {
    if (!Append(record))
        return false;
    // The folder's sync of a new journal goes first, then the file's own.
    sync_.reset();
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
