#pragma once

#include "platform/application.h"

#include <QApplication>
#include <QByteArray>
#include <benchmark/benchmark.h>

namespace kvarzel::bench {

// The body of main() for a benchmark program that draws: an application object set up as the
// program sets up its own (fonts above all), headless unless a platform is asked for.
inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InitApplication(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kvarzel::bench
