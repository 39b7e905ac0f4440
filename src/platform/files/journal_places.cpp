// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/journal_places.h"

#include "platform/files/home_folder.h"

#include <algorithm>
#include <cctype>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

// As mkostemp fills its X's.
constexpr std::size_t UniqueLength = 6;

bool IsUniquePart(std::string_view text) {
    return text.size() == UniqueLength && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) != 0;
           });
}

} // namespace

JournalPlaces UserJournalPlaces(const fs::path& history) {
    const fs::path state = XdgBaseFolder("XDG_STATE_HOME", ".local/state");
    return {history, state.empty() ? fs::path() : state / "Tellumor" / "Kvarzel"};
}

std::vector<JournalFolder> JournalFolders(const JournalPlaces& places) {
    std::vector<JournalFolder> folders;
    if (places.History.empty())
        return folders;
    folders.push_back({places.History.parent_path(), true});
    if (!places.Fallback.empty() && places.Fallback != places.History.parent_path())
        folders.push_back({places.Fallback, false});
    return folders;
}

std::string JournalPrefix(const JournalPlaces& places) {
    return places.History.filename().string() + ".journal-";
}

bool IsJournalName(std::string_view name, std::string_view prefix) {
    return name.starts_with(prefix) && IsUniquePart(name.substr(prefix.size()));
}

bool IsTemporaryJournalName(std::string_view name, std::string_view prefix) {
    return name.starts_with('.') && IsJournalName(name.substr(1), prefix);
}

std::string HistoryName(const fs::path& history) {
    std::error_code error;
    const fs::path absolute = fs::absolute(history, error).lexically_normal();
    const fs::path resolved = fs::weakly_canonical(absolute, error);
    return (error ? absolute : resolved).string();
}

} // namespace kvarzel
