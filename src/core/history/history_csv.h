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

// A line of ours is a few hundred bytes; a longer one is passed over without
// being held or split, so that a huge line of commas, or megabytes of zero
// bytes, cost no memory beyond a line's.
inline constexpr std::size_t MaxHistoryLineLength = 4096;

// The longest line, its line end included, that HistoryLine can write: every
// number at its widest text. Room for a training's lines is worked out from it.
std::size_t LongestHistoryLine();

// What a history text holds. Foreign: not our header. Damaged: our header, a
// line that is not a possible training (BadLine is its 1-based number), and
// a training after it; the records before it are kept. What follows the last
// training without another training after it (zero bytes a power cut left, a
// line a write cut short, any garbage) is no damage of the history but its
// tail: the history is Ours, and the tail goes before a new line is added.
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
    // The end of the last line that is a training (or of the header), its
    // line end included: a new line goes there, and all after it is the tail.
    std::size_t DataEnd = 0;
    // That last line is a whole record without its line end.
    bool DataEndsMidLine = false;
    // The tail holds more than blank lines: it is damage to be set aside, not
    // only cut away.
    bool DamagedTail = false;
};

ParsedHistory ParseHistory(std::string_view text);

// Parses a history text handed over in pieces, which may split lines
// anywhere: a file is read in blocks, never held whole. Only a line that
// straddles two pieces is copied.
class HistoryParser {
public:
    void Feed(std::string_view piece);
    // The text is already known to be foreign or damaged: more changes nothing.
    // A bad line alone stops nothing: only a training after it makes the
    // text damaged, so the parser reads on to the end.
    bool Stopped() const { return stopped_; }
    ParsedHistory Finish();

private:
    void TakeLine(std::string_view line, bool ended);
    void TakeLongLine();
    void NoteOddLine(bool blank);
    void TakeHeader(std::string_view line, bool ended);
    void TakeTraining(std::string_view line, bool ended);
    std::optional<TrainingRecord> ParseLine(std::string_view line, bool ended) const;
    void Stop(ParsedHistory::Kind kind, int line);

    ParsedHistory result_;
    std::string carry_;
    std::size_t offset_ = 0;
    int lineNumber_ = 0;
    // The first line after the last training that is none (blank or not),
    // and whether any of those is more than blank.
    int firstOddLine_ = 0;
    bool tailDamaged_ = false;
    // The line under way passed MaxHistoryLineLength: its bytes are not kept.
    bool passingLongLine_ = false;
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
