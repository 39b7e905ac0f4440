// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"

namespace kvarzel {

TOptions* Options = nullptr;

void TOptions::SetDefaults() {
    PeasCount = 10;
    PeasRatio = 0;
    KeyWhite = 0;
    KeyBlack = 0;
    TimerEnabled = true;
    TimeInterval = 1000;
    BeepWrong = false;
    BeepFrequency = 600;
    BeepDuration = 1;
    WaveWrong = false;
    WaveFilename.clear();
}

} // namespace kvarzel
