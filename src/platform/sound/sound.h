// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvarzel {

// The speaker tone: a square wave of `frequency` hertz for `duration`
// milliseconds, returning once its last sample has been heard. As with the
// Windows call, frequencies outside 37..32767 Hz sound nothing; durations
// are cut to 60000 ms (the longest the options allow), so that a hand-edited
// setting cannot block the program for days.
void Beep(int frequency, int duration);

// Plays a wave file by name (relative names from the current folder) and
// returns once it has been heard, after a minute at most, whatever length
// its header declares. A missing, non-wave or damaged file, and
// a name that is no plain file (a pipe, a device), play nothing; without an
// audio device the call returns at once. Nothing is reported either way.
void PlayWaveFile(const std::string& fileName);

} // namespace kvarzel
