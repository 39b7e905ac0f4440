// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvarzel {

// A training's name for as long as the history keeps it: 128 bits drawn
// from the system's random source when it starts, so that two trainings never
// share one, whatever copy of the program played them or when. A journal that
// is completed twice is recognised by it; two trainings with the same answers
// to the millisecond still stay two.
struct TrainingId {
    std::array<std::uint64_t, 2> Words{};

    // 32 lower-case hex digits.
    std::string Text() const;
    static std::optional<TrainingId> FromText(std::string_view text);
    bool operator==(const TrainingId&) const = default;
};

// A new id from the system's random source (getentropy, or /dev/urandom).
TrainingId NewTrainingId();

struct TrainingIdHash {
    std::size_t operator()(const TrainingId& id) const {
        return static_cast<std::size_t>(id.Words[0] ^ (id.Words[1] * 0x9E3779B97F4A7C15ULL));
    }
};

} // namespace kvarzel
