// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/training_record.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarzel {

// The training history as comma-separated text: a header line, then one line
// per training, abandoned ones marked, oldest first. Numbers are written and
// read by the character conversions of the standard library, which know no
// locale: the decimal mark is a dot whatever language the user runs, as the
// header promises to any spreadsheet.
std::string HistoryHeaderLine();
// The record as a history line keeps it: the time to the second, and no
// earlier than 1970 (a clock set before then would make a line that the
// history could not read back).
TrainingRecord AsStoredInHistory(TrainingRecord record);
// One line of the record as stored, "\n" included.
std::string HistoryLine(const TrainingRecord& record);

// A line of ours is a few hundred bytes; a longer one is refused before it is
// split, so that a huge line of commas costs no memory beyond its own.
inline constexpr std::size_t MaxHistoryLineLength = 4096;

// What a history text holds. Foreign: not our header. Damaged: our header but
// a line that is not a possible training (BadLine is its 1-based number);
// the records before it are kept.
struct ParsedHistory {
    enum class Kind { Empty, Ours, Foreign, Damaged } Status = Kind::Empty;
    std::vector<TrainingRecord> Records;
    int BadLine = 0;
    // Written by an earlier version: one whose lines carry no evidence, or
    // one with fewer bets. The file is written again in the current format.
    bool OlderFormat = false;
    // The end of the last line that is not blank, its line end included: a
    // new line goes there. Blank lines after it, and the start of a line that
    // a write cut short (no line end, nothing but the characters of a
    // history line), are left out of the records and may be cut away.
    std::size_t DataEnd = 0;
    // That last line is a whole record without its line end.
    bool DataEndsMidLine = false;
};

ParsedHistory ParseHistory(std::string_view text);

// Parses a history text handed over in pieces, which may split lines
// anywhere: a file is read in blocks, never held whole. Only a line that
// straddles two pieces is copied.
class HistoryParser {
public:
    void Feed(std::string_view piece);
    // The text is already known to be foreign or damaged: more changes nothing.
    bool Stopped() const { return stopped_; }
    ParsedHistory Finish();

private:
    void TakeLine(std::string_view line, bool ended);
    void TakeHeader(std::string_view line, bool ended);
    void TakeTraining(std::string_view line, bool ended);
    void Stop(ParsedHistory::Kind kind, int line);

    ParsedHistory result_;
    std::string carry_;
    std::size_t offset_ = 0;
    int lineNumber_ = 0;
    int firstBlankLine_ = 0;
    // The bets whose evidence the lines hold: 0 for the format without evidence.
    std::size_t lineBets_ = BetCount;
    bool stopped_ = false;
};

// One line of the current format, or nothing for one that is malformed or
// not a possible training.
std::optional<TrainingRecord> ParseHistoryLine(std::string_view line);

} // namespace kvarzel
