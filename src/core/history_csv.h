#pragma once

#include "core/training_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarzel {

// The training history as comma-separated text: a header line, then one line
// per finished training, oldest first. Numbers use a dot as the decimal mark,
// so that any spreadsheet and any locale read them the same way.
std::string HistoryHeaderLine();
// The record as a history line keeps it: the time to the second.
TrainingRecord AsStoredInHistory(TrainingRecord record);
// One line, "\n" included. The chance column is the chance figure in percent.
std::string HistoryLine(const TrainingRecord& record);

// What a history text holds. Foreign: not our header. Damaged: our header but
// a line that is not a possible training (BadLine is its 1-based number).
struct ParsedHistory {
    enum class Kind { Empty, Ours, Foreign, Damaged } Status = Kind::Empty;
    std::vector<TrainingRecord> Records;
    int BadLine = 0;
};

ParsedHistory ParseHistory(std::string_view text);

// The parts of one history line, or nothing for a malformed one.
std::optional<TrainingRecord> ParseHistoryLine(std::string_view line);

} // namespace kvarzel
