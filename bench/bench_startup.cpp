// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost: the CPU time the program takes from its start to the first painted main window,
// against a plain Qt window with a menu bar, a label, two buttons and a status bar. Each starts
// in a child process under the offscreen platform, in turns, so that both meet the same load;
// the medians and their ratio are printed. The program starts once more with a kept history of
// 100 000 lines: the history is read after the first paint, so the window must come as soon.
#include "core/history/history_csv.h"
#include "core/statistics_settings.h"
#include "platform/files/atomic_file.h"
#include "platform/settings/registry_file_store.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 40;
constexpr double kTarget = 1.2;
constexpr auto kLongestStart = std::chrono::seconds(30);
constexpr double kHistoryTarget = 1.05;
constexpr int kHistoryLines = 100'000;

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// Runs `program` headless in `folder` (its settings folder and working directory) and returns
// the CPU time it used, user and system; nothing when it failed or never painted.
std::optional<double> StartAndMeasure(const fs::path& program, const fs::path& folder) {
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        // Qt's notes about the headless platform would only clutter the table.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet < 0 || dup2(quiet, STDERR_FILENO) < 0 || chdir(folder.c_str()) != 0)
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + kLongestStart;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

void PrintTimes(const char* what, const std::vector<double>& seconds) {
    std::printf("  %-28s median %6.1f ms  (quartiles %.1f .. %.1f ms)\n", what,
                Quantile(seconds, 0.5) * 1e3, Quantile(seconds, 0.25) * 1e3,
                Quantile(seconds, 0.75) * 1e3);
}

// A settings folder where the history is kept and holds 100 000 trainings of 20 peas.
bool MakeLongHistory(const fs::path& folder) {
    fs::create_directories(folder / "Tellumor");
    kvarzel::RegistryFileStore settings((folder / "Tellumor" / "Kvarzel.reg").string());
    if (!kvarzel::SaveKeepHistory(&settings, true))
        return false;
    kvarzel::TrainingRecord record;
    record.Finished = std::chrono::sys_days{std::chrono::year{2020} / 1 / 1};
    record.PeasCount = 20;
    record.Bucket = {true, 0};
    record.Answers = {10, 10, 0};
    record.RightCount = 11;
    record.Percentage = 55;
    std::string text = kvarzel::HistoryHeaderLine();
    for (int line = 0; line < kHistoryLines; ++line) {
        record.Finished += std::chrono::minutes{1};
        text += kvarzel::HistoryLine(record);
    }
    const fs::path history = folder / "Tellumor" / "Kvarzel" / "history.csv";
    fs::create_directories(history.parent_path());
    return kvarzel::ReplaceFileAtomically(history, text);
}

} // namespace

int main() {
    const fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
    const fs::path ours = here / "startup_kvarzel";
    const fs::path plain = here / "startup_plain_window";
    char pattern[] = "/tmp/kvarzel-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("bench_startup: no temporary folder");
        return 1;
    }
    const fs::path folder = pattern;
    const fs::path historyFolder = folder / "with-history";
    fs::create_directories(folder / "plain");
    if (!MakeLongHistory(historyFolder)) {
        std::fprintf(stderr, "bench_startup: could not write the long history\n");
        fs::remove_all(folder);
        return 1;
    }
    std::vector<double> oursSeconds, plainSeconds, historySeconds, ratios;
    for (int round = 0; round < kRounds; ++round) {
        const auto a = StartAndMeasure(ours, folder / "plain");
        const auto b = StartAndMeasure(plain, folder / "plain");
        const auto c = StartAndMeasure(ours, historyFolder);
        if (!a || !b || !c) {
            std::fprintf(stderr, "bench_startup: %s did not paint its window\n",
                         (!b ? plain : ours).c_str());
            fs::remove_all(folder);
            return 1;
        }
        oursSeconds.push_back(*a);
        plainSeconds.push_back(*b);
        historySeconds.push_back(*c);
        ratios.push_back(*a / *b);
    }
    fs::remove_all(folder);
    std::printf("Start-up to the first painted window, CPU time per process, %d starts each "
                "(offscreen):\n",
                kRounds);
    PrintTimes("Kvarzel main window", oursSeconds);
    PrintTimes("plain Qt window", plainSeconds);
    PrintTimes("Kvarzel, 100 000-line history", historySeconds);
    const double ratio = Quantile(oursSeconds, 0.5) / Quantile(plainSeconds, 0.5);
    std::printf("ratio start-up Kvarzel/plain window %6.3fx  (target <= %.2fx: %s; ratio of a "
                "pair of starts %.2f .. %.2f)\n",
                ratio, kTarget, ratio <= kTarget ? "met" : "MISSED", Quantile(ratios, 0.0),
                Quantile(ratios, 1.0));
    const double historyRatio = Quantile(historySeconds, 0.5) / Quantile(oursSeconds, 0.5);
    std::printf("ratio start-up with/without a 100 000-line history %6.3fx  (target <= %.2fx: "
                "%s)\n",
                historyRatio, kHistoryTarget, historyRatio <= kHistoryTarget ? "met" : "MISSED");
    return 0;
}
