// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/statistics_settings.h"
#include "platform/files/atomic_file.h"
#include "platform/files/history_file.h"
#include "test_support/history_program.h"
#include "test_support/history_test_records.h"
#include "test_support/memory_registry_store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// Runs a copy of the program that plays one kept training into `history`,
// killed at `killAt`; true when the kill came.
bool PlayKilledAt(const fs::path& history, const char* killAt) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("LD_PRELOAD", KVARZEL_KILL_AT_CALL, 1);
        ::setenv("KVARZEL_KILL_AT", killAt, 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(KVARZEL_PLAY_KEPT_TRAINING, KVARZEL_PLAY_KEPT_TRAINING, history.c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

int JournalsIn(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().starts_with("history.csv.journal-");
    return count;
}

// Cut off anywhere from its journal's end to the journal's removal, the
// training is in the history exactly once after the next start: the line
// written by the next start, or found there already by its id.
TEST(HistoryKillPointsTest, AKillAtEachStepOfWritingALineLeavesTheTrainingThereOnce) {
    for (const char* killAt :
         {"after:fdatasync:history.csv.journal-*", "before:write:history.csv",
          "after:write:history.csv", "after:fsync:history.csv",
          "before:unlink:history.csv.journal-*"}) {
        const QTemporaryDir folder;
        const fs::path history = fs::path(folder.path().toStdString()) / "history.csv";
        ASSERT_TRUE(ReplaceFileAtomically(history, HistoryText({Training(3)})));
        ASSERT_TRUE(PlayKilledAt(history, killAt)) << "no kill at " << killAt;
        MemoryRegistryStore settings;
        SaveKeepHistory(&settings, true);
        const HistoryProgram next(settings, history);
        const std::vector<TrainingRecord> lines = HistoryFile(history).Load().Records;
        ASSERT_EQ(lines.size(), 2U) << killAt;
        EXPECT_EQ(lines[1].Answers.Total(), 3) << killAt;
        EXPECT_FALSE(lines[1].Abandoned) << killAt;
        EXPECT_EQ(JournalsIn(history.parent_path()), 0) << killAt;
        EXPECT_EQ(next.Statistics().HistorySummary().Trainings, 2) << killAt;
    }
}

} // namespace
} // namespace kvarzel::testing
