// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kvarzel {

// Where the journals of kept trainings go: beside the history, named
// "<history>.journal-XXXXXX", or, when the history's folder refuses new files,
// under the same names in a folder of the user's own, which the histories of
// several data folders may share. A journal being made is named
// ".<history>.journal-XXXXXX" until it is locked and ready.
struct JournalPlaces {
    std::filesystem::path History;
    std::filesystem::path Fallback;
};

// The history's journals, falling back to
// ${XDG_STATE_HOME:-$HOME/.local/state}/Tellumor/Kvarzel.
JournalPlaces UserJournalPlaces(const std::filesystem::path& history);

struct JournalFolder {
    std::filesystem::path Path;
    bool BesideHistory = false;
};
// The folders to look in, the history's own first; none without a history.
std::vector<JournalFolder> JournalFolders(const JournalPlaces& places);

// "<history file name>.journal-": a journal's name is this and six letters or digits.
std::string JournalPrefix(const JournalPlaces& places);
bool IsJournalName(std::string_view name, std::string_view prefix);
bool IsTemporaryJournalName(std::string_view name, std::string_view prefix);

// The history as a journal's heading names it: an absolute path, links
// resolved, so that every way of reaching one history names it alike.
std::string HistoryName(const std::filesystem::path& history);

} // namespace kvarzel
