// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvarzel {

// A training's journal is a text of its own: its first line, the heading,
// names the history it belongs to, and every later line is the training so
// far as a history line (see HistoryLine), the last whole one being the
// training as it stood when its program stopped.
//
// The heading: "kvarzel_journal,1,<the history's absolute path>,<check>".
// The path's bytes other than letters, digits and "/._-~" are written as
// "%XX", so that no comma, line end or odd byte of a path can end it early;
// the check is the history line's (see line_check.h), so that a heading cut
// anywhere is never read as a whole one.
std::string JournalHeading(std::string_view history);

struct ReadHeading {
    enum class Kind {
        // The first line is a whole heading of this format: History says whose.
        Named,
        // No heading: a journal of the older layout, whose first line is
        // already a training's, or one whose heading was cut short (then no
        // training line reached the disk after it either).
        None,
        // A whole heading of another version: not this program's to touch.
        Foreign,
    } State = Kind::None;
    std::string History;
};
// The heading at the start of `head`, the journal's first bytes; `head` may
// hold more than the heading, or less when the file is shorter.
ReadHeading ReadJournalHeading(std::string_view head);

// The longest heading: a path of PATH_MAX bytes, each one escaped.
inline constexpr std::size_t LongestJournalHeading = 16 + 2 + 3 * 4096 + 1 + 8 + 1;

// The room a journal needs for a training of `answers` answers after its
// heading: a line per answer and the line of its end, each of them at its
// longest and perhaps after the line end that a failed write leaves.
std::size_t JournalRoom(std::size_t headingLength, int answers);
// The most a training of the longest kind can write: a bigger journal is no
// journal of ours, and is set aside rather than read.
std::size_t MaxJournalSize();

} // namespace kvarzel
