#pragma once

#include "core/history_csv.h"

#include <filesystem>

namespace kvarzel {

// ${XDG_DATA_HOME:-$HOME/.local/share}/Tellumor/Kvarzel/history.csv
std::filesystem::path UserHistoryPath();

// The training history on disk. Every append reads the file, checks that it
// is a whole history of ours, and replaces it atomically with one more line;
// a damaged or foreign file, or one that cannot be read, is left untouched.
// A lock file beside it keeps two running programs from losing each other's
// lines.
class HistoryFile {
public:
    // Far beyond any history a person can play; a larger file is not ours.
    static constexpr std::size_t MaxFileSize = 256 << 20;

    enum class Status { Missing, Ours, Foreign, Damaged, Unreadable };

    struct Contents {
        Status State = Status::Missing;
        std::vector<TrainingRecord> Records;
        int BadLine = 0;
    };

    explicit HistoryFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& Path() const { return path_; }
    Contents Load() const;
    // The state the file was in; Missing and Ours mean the line was added.
    // Failed covers a file that could be read but not replaced.
    enum class AppendResult { Appended, Refused, Failed };
    AppendResult Append(const TrainingRecord& record, Contents& contentsBefore) const;

private:
    std::filesystem::path path_;
};

// Writes records as a history text to a file of the user's choosing.
bool ExportHistory(const std::filesystem::path& path, const std::vector<TrainingRecord>& records);

} // namespace kvarzel
