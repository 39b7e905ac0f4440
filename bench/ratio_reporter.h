// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace kvarzel::bench {

// Two benchmarks of one run to set side by side, and the ratio ours / theirs aimed at.
struct Comparison {
    std::string What;
    std::string Ours;
    std::string Theirs;
    double Target = 1.0;
};

// Shows only the median of each benchmark's repetitions and keeps it, with its spread, so that
// pairs measured in the same run, under the same load, can be compared at the end. Benchmarks
// with manual timing are compared by that time, the others by CPU time.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            const bool single = run.run_type != Run::RT_Aggregate && run.repetitions <= 1;
            if (single || run.aggregate_name == "median") {
                medians_[NameOf(run)] =
                    Manual(run) ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
                shown.push_back(run);
            } else if (run.aggregate_name == "cv") {
                spreads_[NameOf(run)] =
                    Manual(run) ? run.real_accumulated_time : run.cpu_accumulated_time;
            }
        }
        if (!shown.empty())
            ConsoleReporter::ReportRuns(shown);
    }

    // One line per comparison: the ratio, the target, and how much each side varied.
    void PrintRatios(const std::vector<Comparison>& comparisons) const {
        std::printf("\n");
        for (const Comparison& comparison : comparisons) {
            const auto ours = medians_.find(comparison.Ours);
            const auto theirs = medians_.find(comparison.Theirs);
            if (ours == medians_.end() || theirs == medians_.end() || theirs->second <= 0) {
                std::printf("ratio %-40s not measured\n", comparison.What.c_str());
                continue;
            }
            const double ratio = ours->second / theirs->second;
            const bool met = ratio <= comparison.Target;
            std::printf("ratio %-40s %6.3fx  (target <= %.2fx: %s; spread %s / %s)\n",
                        comparison.What.c_str(), ratio, comparison.Target, met ? "met" : "MISSED",
                        Spread(comparison.Ours).c_str(), Spread(comparison.Theirs).c_str());
        }
        std::fflush(stdout);
    }

private:
    static std::string NameOf(const Run& run) {
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty())
            name += "/" + run.run_name.args;
        return name;
    }

    static bool Manual(const Run& run) { return run.run_name.time_type == "manual_time"; }

    std::string Spread(const std::string& name) const {
        const auto found = spreads_.find(name);
        if (found == spreads_.end())
            return "-";
        return std::to_string(static_cast<int>(found->second * 100 + 0.5)) + "%";
    }

    std::map<std::string, double> medians_;
    std::map<std::string, double> spreads_;
};

} // namespace kvarzel::bench
