// SPDX-License-Identifier: GPL-3.0-or-later
// The About dialog is made at start-up, before the main window shows: what
// its making costs, and the parts of it that could grow.
#include "qt_bench_main.h"
#include "ui/about/about_form.h"
#include "ui/about/version_strings.h"
#include "ui/art/program_icon.h"

namespace {

void BM_CreateAboutForm(benchmark::State& state) {
    for (auto _ : state) {
        kvarzel::TAboutForm form;
        benchmark::DoNotOptimize(form.width());
    }
}
BENCHMARK(BM_CreateAboutForm)->Unit(benchmark::kMicrosecond);

void BM_ReadVersionStrings(benchmark::State& state) {
    for (auto _ : state) {
        kvarzel::VersionStrings strings;
        kvarzel::ReadVersionStrings(strings);
        benchmark::DoNotOptimize(strings.FileVersion.size());
    }
}
BENCHMARK(BM_ReadVersionStrings)->Unit(benchmark::kMicrosecond);

// The logo needs one size of the icon; rendering every size would cost this much.
void BM_RenderLogoAlone(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::ProgramIconImage(32).width());
}
BENCHMARK(BM_RenderLogoAlone)->Unit(benchmark::kMicrosecond);

void BM_RenderEveryIconSize(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kvarzel::ProgramIcon().isNull());
}
BENCHMARK(BM_RenderEveryIconSize)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return kvarzel::bench::RunQtBenchmarks(argc, argv);
}
