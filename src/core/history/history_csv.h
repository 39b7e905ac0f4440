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
// The record as a history line keeps it: its moments to the millisecond (to
// the second for a record of an older format, which has no start), no
// earlier than 1970 (a clock set before then would make a line that the
// history could not read back), and its end no earlier than its start.
TrainingRecord AsStoredInHistory(TrainingRecord record);
// One line of the record as stored, "\n" included. Its last column is a
// check of the rest, so that a line cut anywhere is never read as a whole one.
std::string HistoryLine(const TrainingRecord& record);

// The check column of a line whose other columns are `content`.
std::string HistoryLineCheck(std::string_view content);

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
    // Current: lines end in when the training started and ended and its id,
    // then their check. Untimed: the check without the timing. Previous: lines
    // without either, with the evidence of six bets. Oldest: lines without
    // evidence, their chance column dropped.
    enum class Format { Current, Untimed, Previous, Oldest };
    // Written by an earlier version: rewritten in the current format before
    // the next line is added.
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
    std::optional<TrainingRecord> ParseLine(std::string_view line, bool ended) const;
    void Stop(ParsedHistory::Kind kind, int line);

    ParsedHistory result_;
    std::string carry_;
    std::size_t offset_ = 0;
    int lineNumber_ = 0;
    int firstBlankLine_ = 0;
    bool stopped_ = false;
    ParsedHistory::Format format_ = ParsedHistory::Format::Current;
};

// One line of the current format (without its line end), or nothing for one
// that is malformed, fails its check or is not a possible training.
std::optional<TrainingRecord> ParseHistoryLine(std::string_view line);
// A line of the format before the timing columns, checked, with seven bets.
std::optional<TrainingRecord> ParseUntimedHistoryLine(std::string_view line);
// A line of the format before the check column, with six bets.
std::optional<TrainingRecord> ParsePreviousHistoryLine(std::string_view line);
// A training's journal: its history line written again after every answer.
// The last line that passes its check, or nothing. Lines of the format before
// the timing columns are read too.
std::optional<TrainingRecord> ParseJournalText(std::string_view text);

} // namespace kvarzel
