// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>
#include <cstddef>
#include <cstdint>

namespace kvarzel {

// What we ask the device for; drivers that cannot give it (most can) get
// the sound converted. The disk driver of the tests takes it as it is.
constexpr int PreferredSampleRate = 44100;
constexpr SDL_AudioFormat PreferredFormat = AUDIO_S16SYS;
constexpr int PreferredChannels = 1;

// No sound plays longer than this: a synchronous sound holds the program.
constexpr int MaxPlayingSeconds = 60;

// One blocking playback on the default device: samples in the source
// format go in by Write, Finish returns when the last of them has been
// heard. Nothing happens when the device cannot be opened. Samples are
// converted as they are fed, in pieces that stay small at the device's
// rate whatever the source's rate, so memory stays bounded; whatever would
// play after MaxPlayingSeconds is dropped.
class AudioOutput {
public:
    explicit AudioOutput(const SDL_AudioSpec& source);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool IsOpen() const { return device != 0 && converter != nullptr; }
    // False once no more samples are wanted: the longest playing time has
    // been reached, or the device stopped taking them.
    bool Write(const std::uint8_t* data, std::size_t bytes);
    void Finish();

private:
    bool Feed(const std::uint8_t* data, std::size_t bytes);
    std::size_t SourcePieceBytes() const;
    void QueueConverted();
    void PushOutHeldBackSamples();
    // False when the device stopped taking samples.
    bool WaitUntilQueuedAtMost(std::uint32_t bytes) const;
    std::uint32_t BytesPerSecond() const;

    SDL_AudioSpec source{};
    int sourceFrameBytes = 0;
    int repeats = 1;                // of each source frame before conversion
    std::uint64_t sourceFrames = 0; // written so far
    std::uint64_t queuedBytes = 0;  // handed to the device so far
    // The most that goes to the device: the longest playing time, and once
    // the sound is complete, what its frames make at the device's rate.
    std::uint64_t limitBytes = 0;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec obtained{};
    SDL_AudioStream* converter = nullptr;
    bool started = false;
};

} // namespace kvarzel
