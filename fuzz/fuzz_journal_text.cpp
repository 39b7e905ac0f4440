// SPDX-License-Identifier: GPL-3.0-or-later
// What a training's journal holds when the next start reads it: whatever a
// cut write, a power cut or anything else left. Any bytes must parse without
// a crash; the training read must be written back as a line that reads as the
// same training; and no cut of that line, alone or after the text, is ever
// read as a whole one.
#include "core/history/history_csv.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kvarzel;

void CheckCutsOf(const std::string& text, const TrainingRecord& record) {
    const std::string line = HistoryLine(record);
    // The line without its line end is whole; every shorter piece is not.
    const std::size_t whole = line.size() - 1;
    for (std::size_t cut = 0; cut < whole; ++cut)
        if (ParseJournalText(std::string_view(line).substr(0, cut)))
            std::abort();
    if (ParseJournalText(text + '\n' + line.substr(0, whole / 2)) != record)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<TrainingRecord> read = ParseJournalText(text);
    if (!read)
        return 0;
    const std::string line = HistoryLine(*read);
    if (ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1)) != read ||
        ParseJournalText(text + '\n' + line) != read)
        std::abort();
    CheckCutsOf(text, *read);
    return 0;
}
