// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/history_file.h"
#include "platform/files/home_folder.h"
#include "platform/files/training_journal.h"
#include "platform/settings/registry_file_store.h"
#include "platform/settings/user_settings_store.h"
#include "test_support/working_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;

// What a user without a home gets, checked in a child that has become a user
// id without a passwd entry, HOME unset: every path is empty, and nothing is
// written, least of all into the current folder. The exit status says which
// check failed.
int CheckWithoutAHome() {
    const testing::ScopedWorkingDirectory current;
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        ::unsetenv(variable);
    if (!HomeFolder().empty())
        return 10;
    if (!UserSettingsPath().empty() || !UserHistoryPath().empty() ||
        !UserJournalPlaces(UserHistoryPath()).Fallback.empty())
        return 11;
    auto settings = UserSettingsStore();
    if (!settings->CreateKey("Software\\Tellumor\\Kvarzel") || !settings->Commit())
        return 12;
    if (HistoryFile(UserHistoryPath()).Load().State != HistoryFile::Status::Missing)
        return 13;
    WriteFailure why = WriteFailure::None;
    if (TrainingJournal::Create(UserJournalPlaces(UserHistoryPath()), 10, why) != nullptr ||
        why != WriteFailure::NoHomeFolder)
        return 14;
    if (!fs::is_empty(current.Path()))
        return 15;
    // A relative HOME is no home either.
    ::setenv("HOME", "relative", 1);
    return HomeFolder().empty() ? 0 : 16;
}

TEST(HomeFolderTest, WithoutAHomeNothingIsWrittenAnywhere) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can become a user without a passwd entry";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const uid_t nobodyKnown = 54321;
        ::_exit(::setgid(nobodyKnown) == 0 && ::setuid(nobodyKnown) == 0 ? CheckWithoutAHome()
                                                                          : 99);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace kvarzel
