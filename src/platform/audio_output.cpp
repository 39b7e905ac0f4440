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

} // namespace

AudioOutput::AudioOutput(const SDL_AudioSpec& source)
    : sourceFrameBytes(FrameBytes(source.format, source.channels)) {
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
        QueueConverted();
        // A long sound is fed as it plays instead of being converted whole.
        if (!WaitUntilQueuedAtMost(BytesPerSecond() / 4))
            return;
    }
}

void AudioOutput::Finish() {
    if (!IsOpen())
        return;
    SDL_AudioStreamFlush(converter);
    QueueConverted();
    if (!started || !WaitUntilQueuedAtMost(0))
        return;
    // An empty queue means the last samples are in the device's buffer, not
    // yet heard; closing now would cut them off. Two buffers' time covers
    // the one being played and the sound server's own.
    SDL_Delay(2u * obtained.samples * 1000u / static_cast<Uint32>(obtained.freq) + 1);
}

void AudioOutput::QueueConverted() {
    std::vector<std::uint8_t> buffer(chunkBytes);
    int got = 0;
    while ((got = SDL_AudioStreamGet(converter, buffer.data(), static_cast<int>(buffer.size()))) >
           0)
        SDL_QueueAudio(device, buffer.data(), static_cast<Uint32>(got));
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
