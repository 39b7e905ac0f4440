// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/sound.h"

#include "core/file_system.h"
#include "platform/sound/audio_output.h"
#include "platform/sound/sdl_audio_session.h"
#include "platform/sound/sdl_library.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace kvarzel {
namespace {

// The range Windows' Beep accepts; outside it nothing sounds there either.
constexpr int minFrequency = 37;
constexpr int maxFrequency = 32767;
constexpr int maxDuration = 60000;

constexpr std::int16_t amplitude = 8000; // a quarter of full scale
constexpr std::int64_t chunkFrames = PreferredSampleRate / 10;

SDL_AudioSpec MonoSpec(int sampleRate) {
    SDL_AudioSpec format{};
    format.freq = sampleRate;
    format.format = AUDIO_S16SYS;
    format.channels = 1;
    return format;
}

// Samples [first, first + count) of the wave; each half period is high or
// low, counted exactly in whole numbers so no drift builds up.
std::vector<std::int16_t> SquareWave(int frequency, std::int64_t first, std::int64_t count) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t halfPeriods = (first + i) * 2 * frequency / PreferredSampleRate;
        samples[static_cast<std::size_t>(i)] = halfPeriods % 2 == 0 ? amplitude : -amplitude;
    }
    return samples;
}

struct WaveData {
    SDL_AudioSpec Format{};
    Uint8* Buffer = nullptr;
    Uint32 Length = 0;
    ~WaveData() {
        if (Buffer != nullptr)
            Sdl()->FreeWAV(Buffer);
    }
};

} // namespace

void Beep(int frequency, int duration) {
    if (frequency < minFrequency || frequency > maxFrequency || duration <= 0)
        return;
    const SdlAudioSession session;
    if (!session.Started())
        return;
    AudioOutput output(MonoSpec(PreferredSampleRate));
    if (!output.IsOpen())
        return;
    const std::int64_t total =
        std::int64_t{std::min(duration, maxDuration)} * PreferredSampleRate / 1000;
    for (std::int64_t first = 0; first < total; first += chunkFrames) {
        const auto samples = SquareWave(frequency, first, std::min(chunkFrames, total - first));
        if (!output.Write(reinterpret_cast<const std::uint8_t*>(samples.data()),
                          samples.size() * sizeof(std::int16_t)))
            break;
    }
    output.Finish();
}

void PlayWaveFile(const std::string& fileName) {
    // Loaded first: a file that cannot be played needs no device. Only a
    // plain file is read: a pipe or a terminal named by mistake would hold
    // the program until someone writes to it.
    WaveData wave;
    const SdlLibrary* sdl = Sdl();
    if (sdl == nullptr || !PlainFileExists(fileName) ||
        sdl->LoadWAV_RW(sdl->RWFromFile(fileName.c_str(), "rb"), 1, &wave.Format, &wave.Buffer,
                        &wave.Length) == nullptr ||
        wave.Length == 0)
        return;
    const SdlAudioSession session;
    if (!session.Started())
        return;
    AudioOutput output(wave.Format);
    output.Write(wave.Buffer, wave.Length);
    output.Finish();
}

} // namespace kvarzel
