// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/application.h"
#include "ratio_reporter.h"

#include <QApplication>
#include <QByteArray>
#include <benchmark/benchmark.h>

#include <vector>

namespace kvarzel::bench {

// The body of main() for a benchmark program that draws: an application object set up as the
// program sets up its own (fonts above all), headless unless a platform is asked for. Pairs of
// benchmarks to compare get a ratio line each at the end.
inline int RunQtBenchmarks(int argc, char** argv, const std::vector<Comparison>& comparisons = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InitApplication(application);
    benchmark::Initialize(&argc, argv);
    if (comparisons.empty()) {
        benchmark::RunSpecifiedBenchmarks();
    } else {
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios(comparisons);
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace kvarzel::bench
