// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/audio_output.h"

#include "platform/sound/sdl_library.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace kvarzel {
namespace {

constexpr std::size_t chunkBytes = 16384;
constexpr Uint16 deviceBufferFrames = 1024;
// What SDL's resampler keeps back converting up, in source frames; converting
// down it keeps back about as long at the device's rate.
constexpr std::uint64_t heldBackFrames = 512;

// The resampler also converts that many frames at once, which at 1 Hz are
// minutes of sound at the device's rate: a slower source has each frame
// repeated up to this rate first. No real sound is that slow; a faster
// source than the highest rate in use is not played.
constexpr int minConvertedRate = 4000;
constexpr int maxSourceRate = 768000;

int FrameRepeats(int rate) {
    return rate < minConvertedRate ? (minConvertedRate + rate - 1) / rate : 1;
}

std::vector<std::uint8_t> RepeatFrames(const std::uint8_t* data, std::size_t bytes, int frameBytes,
                                       int repeats) {
    std::vector<std::uint8_t> repeated;
    repeated.reserve(bytes * static_cast<std::size_t>(repeats));
    for (std::size_t frame = 0; frame < bytes; frame += static_cast<std::size_t>(frameBytes))
        for (int i = 0; i < repeats; ++i)
            repeated.insert(repeated.end(), data + frame, data + frame + frameBytes);
    return repeated;
}

// A device that stops taking samples (unplugged, stuck server) must not
// hold the program: after this long without progress we give up waiting.
constexpr auto stallLimit = std::chrono::seconds(2);

int FrameBytes(SDL_AudioFormat format, int channels) {
    return SDL_AUDIO_BITSIZE(format) / 8 * channels;
}

// Silence is the middle value: 0 for signed and float samples, half scale
// for unsigned ones.
std::vector<std::uint8_t> SilentFrames(SDL_AudioFormat format, int channels, int count) {
    const int sampleBytes = SDL_AUDIO_BITSIZE(format) / 8;
    std::vector<std::uint8_t> frames(static_cast<std::size_t>(sampleBytes * channels * count), 0);
    if (SDL_AUDIO_ISSIGNED(format) || SDL_AUDIO_ISFLOAT(format))
        return frames;
    const int highByte = SDL_AUDIO_ISBIGENDIAN(format) ? 0 : sampleBytes - 1;
    for (std::size_t i = static_cast<std::size_t>(highByte); i < frames.size(); i += sampleBytes)
        frames[i] = 0x80;
    return frames;
}

} // namespace

AudioOutput::AudioOutput(const SDL_AudioSpec& sourceSpec)
    : source(sourceSpec), sourceFrameBytes(FrameBytes(source.format, source.channels)) {
    SDL_AudioSpec wanted{};
    wanted.freq = PreferredSampleRate;
    wanted.format = PreferredFormat;
    wanted.channels = PreferredChannels;
    wanted.samples = deviceBufferFrames;
    if (Sdl() == nullptr)
        return;
    device = Sdl()->OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0 || sourceFrameBytes <= 0 || source.freq <= 0 || source.freq > maxSourceRate)
        return;
    repeats = FrameRepeats(source.freq);
    converter = Sdl()->NewAudioStream(source.format, source.channels, source.freq * repeats,
                                      obtained.format, obtained.channels, obtained.freq);
    limitBytes = std::uint64_t{MaxPlayingSeconds} * BytesPerSecond();
}

AudioOutput::~AudioOutput() {
    if (converter != nullptr)
        Sdl()->FreeAudioStream(converter);
    if (device != 0)
        Sdl()->CloseAudioDevice(device);
}

bool AudioOutput::Write(const std::uint8_t* data, std::size_t bytes) {
    if (!IsOpen())
        return false;
    // The converter takes whole frames only.
    const std::size_t step = SourcePieceBytes();
    bytes -= bytes % sourceFrameBytes;
    for (std::size_t offset = 0; offset < bytes; offset += step) {
        const std::size_t length = std::min(step, bytes - offset);
        if (queuedBytes >= limitBytes || !Feed(data + offset, length))
            return false;
        sourceFrames += length / sourceFrameBytes;
    }
    return queuedBytes < limitBytes;
}

// A long sound is fed as it plays instead of being converted whole.
bool AudioOutput::Feed(const std::uint8_t* data, std::size_t bytes) {
    if (repeats > 1) {
        const std::vector<std::uint8_t> repeated =
            RepeatFrames(data, bytes, sourceFrameBytes, repeats);
        if (Sdl()->AudioStreamPut(converter, repeated.data(), static_cast<int>(repeated.size())) !=
            0)
            return false;
    } else if (Sdl()->AudioStreamPut(converter, data, static_cast<int>(bytes)) != 0) {
        return false;
    }
    QueueConverted();
    return WaitUntilQueuedAtMost(BytesPerSecond() / 4);
}

// As many source frames as make about one chunk at the device's rate: a
// sound at 1 Hz grows 44100 times in conversion, one at 192 kHz shrinks.
std::size_t AudioOutput::SourcePieceBytes() const {
    const auto deviceFrames =
        static_cast<std::uint64_t>(chunkBytes / FrameBytes(obtained.format, obtained.channels));
    const std::uint64_t frames = deviceFrames * static_cast<std::uint64_t>(source.freq) /
                                 static_cast<std::uint64_t>(obtained.freq);
    const std::uint64_t mostFrames = chunkBytes / static_cast<std::size_t>(sourceFrameBytes);
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(frames, 1, mostFrames)) *
           static_cast<std::size_t>(sourceFrameBytes);
}

void AudioOutput::Finish() {
    if (!IsOpen())
        return;
    PushOutHeldBackSamples();
    if (!started || !WaitUntilQueuedAtMost(0))
        return;
    // An empty queue means the last samples are in the device's buffer, not
    // yet heard; closing now would cut them off. Two buffers' time covers
    // the one being played and the sound server's own.
    Sdl()->Delay(2u * obtained.samples * 1000u / static_cast<Uint32>(obtained.freq) + 1);
}

// SDL's resampler keeps the last stretch of a sound back even when flushed:
// a few hundred source frames, which at a low rate are minutes at the
// device's. Silence after the sound pushes it out, piece by piece like the
// sound itself, and only the sound's own length goes on to the device.
void AudioOutput::PushOutHeldBackSamples() {
    const auto deviceFrameBytes =
        static_cast<std::uint64_t>(FrameBytes(obtained.format, obtained.channels));
    const auto deviceRate = static_cast<std::uint64_t>(obtained.freq);
    const auto sourceRate = static_cast<std::uint64_t>(source.freq);
    const std::uint64_t soundBytes =
        (sourceFrames * deviceRate + sourceRate - 1) / sourceRate * deviceFrameBytes;
    limitBytes = std::min(limitBytes, soundBytes);
    const std::size_t step = SourcePieceBytes();
    const std::vector<std::uint8_t> silence =
        SilentFrames(source.format, source.channels, static_cast<int>(step / sourceFrameBytes));
    // Bounded, to a second more than what is held back, in case the
    // converter never gives out quite as much as expected.
    const std::uint64_t mostSilentFrames =
        4 * heldBackFrames / static_cast<std::uint64_t>(repeats) + sourceRate;
    for (std::uint64_t fed = 0; queuedBytes < limitBytes && fed < mostSilentFrames;
         fed += step / sourceFrameBytes) {
        if (!Feed(silence.data(), silence.size()))
            return;
    }
    Sdl()->AudioStreamFlush(converter);
    QueueConverted();
}

void AudioOutput::QueueConverted() {
    std::vector<std::uint8_t> buffer(chunkBytes);
    int got = 0;
    while ((got = Sdl()->AudioStreamGet(converter, buffer.data(),
                                        static_cast<int>(buffer.size()))) > 0) {
        const std::uint64_t bytes = std::min(static_cast<std::uint64_t>(got),
                                             limitBytes - std::min(limitBytes, queuedBytes));
        if (bytes > 0)
            Sdl()->QueueAudio(device, buffer.data(), static_cast<Uint32>(bytes));
        queuedBytes += bytes;
    }
    if (!started && Sdl()->GetQueuedAudioSize(device) > 0) {
        Sdl()->PauseAudioDevice(device, 0);
        started = true;
    }
}

bool AudioOutput::WaitUntilQueuedAtMost(std::uint32_t bytes) const {
    using Clock = std::chrono::steady_clock;
    std::uint32_t queued = Sdl()->GetQueuedAudioSize(device);
    auto lastProgress = Clock::now();
    while (queued > bytes) {
        if (Sdl()->GetAudioDeviceStatus(device) != SDL_AUDIO_PLAYING ||
            Clock::now() - lastProgress > stallLimit)
            return false;
        Sdl()->Delay(2);
        const std::uint32_t now = Sdl()->GetQueuedAudioSize(device);
        if (now < queued)
            lastProgress = Clock::now();
        queued = now;
    }
    return true;
}

std::uint32_t AudioOutput::BytesPerSecond() const {
    return static_cast<std::uint32_t>(obtained.freq *
                                      FrameBytes(obtained.format, obtained.channels));
}

} // namespace kvarzel
