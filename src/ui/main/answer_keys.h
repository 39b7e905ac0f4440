// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"
#include "core/training_view.h"

#include <cstdint>
#include <optional>

namespace kvarzel {

// What a key pressed during a training does: the answer it gives, if any, and
// whether it is one of the four fixed answer keys, which go on their ordinary
// way after answering, where every other key stops.
struct AnswerKeyMatch {
    std::optional<Answer> Given;
    bool Fixed = false;
};

// B and X answer black, W and comma white, whatever the modifiers; otherwise
// the black hot key, then the white one, with exactly their modifiers.
AnswerKeyMatch MatchAnswerKey(std::uint16_t key, ShiftState shift, TShortCut keyWhite,
                              TShortCut keyBlack);

// The hot key that answers this colour, or 0 where it answers nothing: no key
// at all, modifiers alone, a fixed key (which wins), or the black hot key
// again (which black takes first).
TShortCut ActingHotKey(Answer answer, TShortCut keyWhite, TShortCut keyBlack);

} // namespace kvarzel
