// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvarzel {

// Keeps SDL's audio running while it exists, quietly: no log lines on the
// console and no signal handlers taken from the program.
class SdlAudioSession {
public:
    SdlAudioSession();
    ~SdlAudioSession();
    SdlAudioSession(const SdlAudioSession&) = delete;
    SdlAudioSession& operator=(const SdlAudioSession&) = delete;

    bool Started() const { return started; }

private:
    bool started = false;
};

} // namespace kvarzel
