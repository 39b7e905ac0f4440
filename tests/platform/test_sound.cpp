// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/audio_output.h"
#include "platform/sound/sound.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kvarzel {
namespace {

// SDL's disk driver writes what the device would play to a file, in the
// format asked for (44100 Hz, signed 16-bit, mono), at the pace of a real
// device unless told otherwise.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", Recording().toLocal8Bit().constData(), 1);
        unsetenv("SDL_DISKAUDIODELAY");
    }

    void TearDown() override { unsetenv("SDL_DISKAUDIODELAY"); }

    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QString Recording() const { return Path("device.raw"); }
    bool DeviceWasOpened() const { return QFile::exists(Recording()); }

    std::vector<std::int16_t> Recorded() const {
        QFile file(Recording());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size()) / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return samples;
    }

    QTemporaryDir folder;
};

// The recording from its first to its last sample that is not silence.
std::vector<std::int16_t> Sounding(const std::vector<std::int16_t>& samples) {
    auto isSound = [](std::int16_t sample) { return sample != 0; };
    const auto first = std::find_if(samples.begin(), samples.end(), isSound);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), isSound).base();
    return first < last ? std::vector<std::int16_t>(first, last) : std::vector<std::int16_t>();
}

int SignChanges(const std::vector<std::int16_t>& samples) {
    int changes = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        changes += (samples[i - 1] < 0) != (samples[i] < 0);
    return changes;
}

void AppendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A PCM wave file of the given format around `data`.
QByteArray WaveFile(int channels, int rate, int bits, const QByteArray& data) {
    QByteArray wave("RIFF");
    AppendLittleEndian(wave, static_cast<std::uint32_t>(36 + data.size()), 4);
    wave += "WAVEfmt ";
    AppendLittleEndian(wave, 16, 4);
    AppendLittleEndian(wave, 1, 2); // PCM
    AppendLittleEndian(wave, static_cast<std::uint32_t>(channels), 2);
    AppendLittleEndian(wave, static_cast<std::uint32_t>(rate), 4);
    // The byte rate of an absurd sample rate does not fit: it wraps, as in such files.
    AppendLittleEndian(wave, static_cast<std::uint32_t>(std::int64_t{rate} * channels * bits / 8),
                       4);
    AppendLittleEndian(wave, static_cast<std::uint32_t>(channels * bits / 8), 2);
    AppendLittleEndian(wave, static_cast<std::uint32_t>(bits), 2);
    wave += "data";
    AppendLittleEndian(wave, static_cast<std::uint32_t>(data.size()), 4);
    return wave + data;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST_F(SoundTest, BeepIsASquareWaveOfItsFrequencyAndLength) {
    QElapsedTimer clock;
    clock.start();
    Beep(600, 200);
    const qint64 elapsed = clock.elapsed();

    const auto tone = Sounding(Recorded());
    EXPECT_EQ(tone.size(), 8820u); // 200 ms at 44100 Hz, all of it
    // 120 periods: 240 half periods, 239 changes of sign between them.
    EXPECT_EQ(SignChanges(tone), 239);
    EXPECT_GE(elapsed, 200) << "returned before the tone was heard";
}

TEST_F(SoundTest, BeepOutsideTheSpeakersRangeSoundsNothing) {
    for (const int frequency : {0, 36, 32768, -600, INT_MAX})
        Beep(frequency, 100);
    Beep(600, 0);
    Beep(600, -100);
    EXPECT_FALSE(DeviceWasOpened());
}

TEST_F(SoundTest, EndlessBeepIsCutToAMinute) {
    // The disk as fast as it goes; it then records gaps of silence where it
    // outran us, so the square wave's samples are counted, not its span.
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    Beep(1000, INT_MAX);
    const auto recorded = Recorded();
    EXPECT_EQ(std::count_if(recorded.begin(), recorded.end(), [](auto s) { return s != 0; }),
              60 * 44100);
}

TEST_F(SoundTest, WaveFileSamplesArriveConvertedToTheDevice) {
    // 100 ms of 8-bit, 22050 Hz: unsigned samples around 128.
    QByteArray data;
    for (int i = 0; i < 2205; ++i)
        data.append(static_cast<char>(i % 50 < 25 ? 0xC0 : 0x40));
    WriteFile(Path("tone.wav"), WaveFile(1, 22050, 8, data));

    PlayWaveFile(Path("tone.wav").toStdString());

    const auto sound = Sounding(Recorded());
    // Twice as many samples at 44100 Hz, give or take the resampler's edges.
    EXPECT_NEAR(static_cast<double>(sound.size()), 4410.0, 60.0);
    EXPECT_NEAR(SignChanges(sound), 87, 3);
}

TEST_F(SoundTest, StereoWaveFileIsMixedDownUnchangedInRate) {
    QByteArray data;
    for (int i = 0; i < 4410; ++i) {
        const std::int16_t value = i % 100 < 50 ? 1000 : -1000;
        AppendLittleEndian(data, static_cast<std::uint16_t>(value), 2);
        AppendLittleEndian(data, static_cast<std::uint16_t>(value), 2);
    }
    WriteFile(Path("stereo.wav"), WaveFile(2, 44100, 16, data));

    PlayWaveFile(Path("stereo.wav").toStdString());

    const auto sound = Sounding(Recorded());
    ASSERT_EQ(sound.size(), 4410u);
    EXPECT_EQ(sound.front(), 1000);
    EXPECT_EQ(sound[50], -1000);
}

// A square wave of about 100 Hz (slower at low rates) in any PCM format.
QByteArray SquareWaveData(int rate, int channels, int bits, int frames) {
    const int halfPeriod = std::max(1, rate / 200);
    QByteArray data;
    for (int frame = 0; frame < frames; ++frame) {
        const bool high = frame / halfPeriod % 2 == 0;
        for (int channel = 0; channel < channels; ++channel) {
            if (bits == 8)
                data.append(static_cast<char>(high ? 0xC0 : 0x40));
            else
                AppendLittleEndian(
                    data, static_cast<std::uint32_t>((high ? 8000 : -8000) * (1 << (bits - 16))),
                    bits / 8);
        }
    }
    return data;
}

// How many megabytes playing adds to the peak memory of a process: played in
// a child, which starts with the test's own memory and reports the growth.
int PeakMegabytesOfPlaying(const std::string& file) {
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before{};
        rusage after{};
        ::getrusage(RUSAGE_SELF, &before);
        PlayWaveFile(file);
        ::getrusage(RUSAGE_SELF, &after);
        ::_exit(static_cast<int>(std::min(200L, (after.ru_maxrss - before.ru_maxrss) / 1024)));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::int64_t SoundingSamples(const std::vector<std::int16_t>& samples) {
    return std::count_if(samples.begin(), samples.end(), [](auto s) { return s != 0; });
}

// A few kilobytes at 1 Hz declare hours; each piece converted must still
// stay small, and no wave may hold the program longer than a minute.
TEST_F(SoundTest, WaveOfAnyRateAndFormatPlaysInBoundedMemoryForAMinuteAtMost) {
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    constexpr std::int64_t minute = 60 * 44100;
    for (const int rate : {1, 100, 8000, 192000}) {
        for (const int channels : {1, 2}) {
            for (const int bits : {8, 16, 32}) {
                SCOPED_TRACE(::testing::Message()
                             << rate << " Hz, " << channels << " channels, " << bits << " bits");
                const int frames = std::min(std::max(rate * 70, 8192), 262144);
                WriteFile(Path("wave.wav"), WaveFile(channels, rate, bits,
                                                     SquareWaveData(rate, channels, bits, frames)));
                const int megabytes = PeakMegabytesOfPlaying(Path("wave.wav").toStdString());
                EXPECT_GE(megabytes, 0);
                EXPECT_LT(megabytes, 16);
                const std::int64_t sounding = SoundingSamples(Recorded());
                const std::int64_t declared = std::int64_t{frames} * 44100 / rate;
                EXPECT_LE(sounding, minute);
                EXPECT_GE(sounding, std::min(declared, minute) * 95 / 100);
            }
        }
    }
}

TEST_F(SoundTest, HeadersDeclaringAbsurdSizesOrRatesCostNoMemory) {
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    QByteArray huge = WaveFile(1, 44100, 16, SquareWaveData(44100, 1, 16, 4410));
    huge.replace(4, 4, QByteArray(4, '\xFF'));  // 4 GB of RIFF data
    huge.replace(40, 4, QByteArray(4, '\xFF')); // and 4 GB of samples
    WriteFile(Path("huge.wav"), huge);
    int megabytes = PeakMegabytesOfPlaying(Path("huge.wav").toStdString());
    EXPECT_GE(megabytes, 0);
    // SDL's loader reserves the declared size, untouched; AddressSanitizer
    // maps shadow memory for all of it, which counts as used.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(megabytes, 16);
#endif
    EXPECT_NEAR(static_cast<double>(SoundingSamples(Recorded())), 4410.0, 60.0);

    WriteFile(Path("fast.wav"), WaveFile(2, 2000000000, 32, SquareWaveData(8000, 2, 32, 8192)));
    megabytes = PeakMegabytesOfPlaying(Path("fast.wav").toStdString());
    EXPECT_GE(megabytes, 0);
    EXPECT_LT(megabytes, 16);
}

TEST_F(SoundTest, FilesThatCannotBePlayedPlayNothing) {
    WriteFile(Path("text.wav"), "Это не звук, а текст.");
    QByteArray truncated = WaveFile(1, 44100, 16, QByteArray(8000, '\x10')).left(30);
    WriteFile(Path("truncated.wav"), truncated);
    QByteArray lying = WaveFile(1, 44100, 16, QByteArray(100, '\x10'));
    lying[40] = '\xFF'; // a data chunk claiming far more than the file holds
    lying[41] = '\xFF';
    lying[42] = '\xFF';
    lying[43] = '\x7F';
    WriteFile(Path("lying.wav"), lying);

    for (const char* name : {"missing.wav", "text.wav", "truncated.wav", ""})
        PlayWaveFile(name[0] != 0 ? Path(name).toStdString() : std::string());
    PlayWaveFile(folder.path().toStdString());
    EXPECT_FALSE(DeviceWasOpened());

    PlayWaveFile(Path("lying.wav").toStdString());
    EXPECT_LE(Sounding(Recorded()).size(), 100u) << "played more than the file holds";
}

TEST_F(SoundTest, APipeIsNotOpened) {
    const QByteArray pipe = Path("sound.wav").toLocal8Bit();
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    auto playing = std::async(std::launch::async, [&] { PlayWaveFile(pipe.toStdString()); });
    if (playing.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // A writer lets the stuck reader go, so that the test can end.
        const int writer = open(pipe.constData(), O_WRONLY | O_NONBLOCK);
        close(writer);
        playing.wait();
        FAIL() << "waited for something to be written to a pipe";
    }
    EXPECT_FALSE(DeviceWasOpened());
}

TEST_F(SoundTest, WithoutADeviceSoundsReturnAtOnce) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    WriteFile(Path("tone.wav"), WaveFile(1, 44100, 16, QByteArray(88200, '\x10')));
    QElapsedTimer clock;
    clock.start();
    Beep(600, 60000);
    PlayWaveFile(Path("tone.wav").toStdString());
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(SoundTest, AudioLibrariesSayNothingOnTheConsole) {
    // ALSA without a sound card complains on stderr unless silenced.
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    ::testing::internal::CaptureStderr();
    Beep(600, 10);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Beep(600, 10);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace kvarzel
