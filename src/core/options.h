// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kvarzel {

// Every user setting of the trainer. One instance exists, `Options`; the
// options dialog creates, loads, saves and frees it. The record checks no
// range: it holds whatever the store or the dialog hands it.
class TOptions {
public:
    TOptions() { SetDefaults(); }

    void SetDefaults();

    // Move the record to and from the per-user store (settings_store.cpp).
    bool Load();
    void Save();
    bool Erase();

    std::int32_t PeasCount;
    std::int32_t PeasRatio;
    std::uint16_t KeyWhite;
    std::uint16_t KeyBlack;
    bool TimerEnabled;
    std::int32_t TimeInterval;
    bool BeepWrong;
    std::int32_t BeepFrequency;
    std::int32_t BeepDuration;
    bool WaveWrong;
    std::string WaveFilename;

    bool operator==(const TOptions&) const = default;
};

extern TOptions* Options;

} // namespace kvarzel
