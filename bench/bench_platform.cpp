// SPDX-License-Identifier: GPL-3.0-or-later
// Text measurement in the program's dialog font, and how long a sound call
// takes until its first sample reaches the audio device.
#include "platform/desktop/application.h"
#include "platform/sound/sound.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

const QString averageLabel = QStringLiteral("Среднее значение по всем тренировкам:");

void BM_MeasureLabelWithNewMetrics(benchmark::State& state) {
    const QFont font = kvarzel::MsSansSerifFont();
    for (auto _ : state) {
        const QFontMetrics metrics(font);
        benchmark::DoNotOptimize(metrics.horizontalAdvance(averageLabel));
        benchmark::DoNotOptimize(metrics.height());
    }
}
BENCHMARK(BM_MeasureLabelWithNewMetrics);

void BM_MeasureNumberWithKeptMetrics(benchmark::State& state) {
    const QFontMetrics metrics(kvarzel::MsSansSerifFont());
    int value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(metrics.horizontalAdvance(QString::number(value++ % 101)));
    }
}
BENCHMARK(BM_MeasureNumberWithKeptMetrics);

// The disk driver writes to a named pipe; a reader notes when the first
// sample that is not silence comes out of it.
Clock::time_point FirstSoundFrom(const char* pipePath) {
    const int pipe = open(pipePath, O_RDONLY);
    Clock::time_point first{};
    char buffer[4096];
    ssize_t got = 0;
    while (pipe >= 0 && (got = read(pipe, buffer, sizeof buffer)) > 0) {
        if (first != Clock::time_point{})
            continue;
        for (ssize_t i = 0; i < got; ++i)
            if (buffer[i] != 0) {
                first = Clock::now();
                break;
            }
    }
    if (pipe >= 0)
        close(pipe);
    return first;
}

void BM_BeepUntilFirstSampleReachesTheDevice(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray pipePath = folder.filePath(QStringLiteral("device.pipe")).toLocal8Bit();
    if (mkfifo(pipePath.constData(), 0600) != 0) {
        state.SkipWithError("no named pipe");
        return;
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipePath.constData(), 1);
    for (auto _ : state) {
        Clock::time_point first{};
        std::thread reader([&] { first = FirstSoundFrom(pipePath.constData()); });
        const auto start = Clock::now();
        kvarzel::Beep(600, 20);
        reader.join();
        state.SetIterationTime(std::chrono::duration<double>(first - start).count());
    }
}
BENCHMARK(BM_BeepUntilFirstSampleReachesTheDevice)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kvarzel::InitApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
