// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvarzel {

// Where the wrong-answer sounds go: the sound device in the program, a
// recorder in tests.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Both return when the sound has been heard.
    virtual void Beep(int frequency, int duration) = 0;
    virtual void PlayWave(const std::string& fileName) = 0;
};

SoundOutput& DeviceSoundOutput();

} // namespace kvarzel
