#include "platform/audio_output.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace kvarzel {
namespace {

constexpr std::size_t chunkBytes = 16384;
constexpr Uint16 deviceBufferFrames = 1024;

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
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0 || sourceFrameBytes <= 0)
        return;
    converter = SDL_NewAudioStream(source.format, source.channels, source.freq, obtained.format,
                                   obtained.channels, obtained.freq);
}

AudioOutput::~AudioOutput() {
    if (converter != nullptr)
        SDL_FreeAudioStream(converter);
    if (device != 0)
        SDL_CloseAudioDevice(device);
}

void AudioOutput::Write(const std::uint8_t* data, std::size_t bytes) {
    if (!IsOpen())
        return;
    // The converter takes whole frames only.
    const std::size_t step = chunkBytes / sourceFrameBytes * sourceFrameBytes;
    bytes -= bytes % sourceFrameBytes;
    for (std::size_t offset = 0; offset < bytes; offset += step) {
        const auto length = static_cast<int>(std::min(step, bytes - offset));
        if (SDL_AudioStreamPut(converter, data + offset, length) != 0)
            return;
        sourceFrames += static_cast<std::uint64_t>(length / sourceFrameBytes);
        QueueConverted();
        // A long sound is fed as it plays instead of being converted whole.
        if (!WaitUntilQueuedAtMost(BytesPerSecond() / 4))
            return;
    }
}

void AudioOutput::Finish() {
    if (!IsOpen())
        return;
    PushOutHeldBackSamples();
    QueueConverted();
    if (!started || !WaitUntilQueuedAtMost(0))
        return;
    // An empty queue means the last samples are in the device's buffer, not
    // yet heard; closing now would cut them off. Two buffers' time covers
    // the one being played and the sound server's own.
    SDL_Delay(2u * obtained.samples * 1000u / static_cast<Uint32>(obtained.freq) + 1);
}

// SDL's resampler keeps the last stretch of a sound back even when flushed;
// silence after the sound pushes it out, and only the sound's own length
// goes on to the device.
void AudioOutput::PushOutHeldBackSamples() {
    const auto deviceFrameBytes =
        static_cast<std::uint64_t>(FrameBytes(obtained.format, obtained.channels));
    const auto deviceRate = static_cast<std::uint64_t>(obtained.freq);
    const auto sourceRate = static_cast<std::uint64_t>(source.freq);
    expectedBytes = (sourceFrames * deviceRate + sourceRate - 1) / sourceRate * deviceFrameBytes;
    const std::vector<std::uint8_t> silence =
        SilentFrames(source.format, source.channels, source.freq / 5);
    SDL_AudioStreamPut(converter, silence.data(), static_cast<int>(silence.size()));
    SDL_AudioStreamFlush(converter);
}

void AudioOutput::QueueConverted() {
    std::vector<std::uint8_t> buffer(chunkBytes);
    int got = 0;
    while ((got = SDL_AudioStreamGet(converter, buffer.data(), static_cast<int>(buffer.size()))) >
           0) {
        auto bytes = static_cast<std::uint64_t>(got);
        if (expectedBytes != 0)
            bytes = std::min(bytes, expectedBytes - std::min(expectedBytes, queuedBytes));
        SDL_QueueAudio(device, buffer.data(), static_cast<Uint32>(bytes));
        queuedBytes += bytes;
    }
    if (!started && SDL_GetQueuedAudioSize(device) > 0) {
        SDL_PauseAudioDevice(device, 0);
        started = true;
    }
}

bool AudioOutput::WaitUntilQueuedAtMost(std::uint32_t bytes) const {
    using Clock = std::chrono::steady_clock;
    std::uint32_t queued = SDL_GetQueuedAudioSize(device);
    auto lastProgress = Clock::now();
    while (queued > bytes) {
        if (SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_PLAYING ||
            Clock::now() - lastProgress > stallLimit)
            return false;
        SDL_Delay(2);
        const std::uint32_t now = SDL_GetQueuedAudioSize(device);
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
