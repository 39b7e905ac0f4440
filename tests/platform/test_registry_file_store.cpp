// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/settings_store.h"
#include "platform/files/atomic_file.h"
#include "platform/settings/registry_file_store.h"
#include "platform/settings/registry_text.h"
#include "platform/settings/user_settings_store.h"
#include "test_support/registry_test_files.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvarzel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TestData;
using testing::WriteBytes;

const std::string DefaultsFile = "REGEDIT4\n"
                                 "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel]\n"
                                 "\"PeasCount\"=dword:0000000a\n"
                                 "\"PeasRatio\"=dword:00000000\n"
                                 "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Keys]\n"
                                 "\"KeyWhite\"=dword:00000000\n"
                                 "\"KeyBlack\"=dword:00000000\n"
                                 "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Sounds]\n"
                                 "\"BeepWrong\"=dword:00000000\n"
                                 "\"BeepFrequency\"=dword:00000258\n"
                                 "\"BeepDuration\"=dword:00000001\n"
                                 "\"WaveWrong\"=dword:00000000\n"
                                 "\"WaveFilename\"=\"\"\n"
                                 "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Timer]\n"
                                 "\"TimerEnabled\"=dword:00000001\n"
                                 "\"TimeInterval\"=dword:000003e8\n";

class SettingsFile : public ::testing::Test {
protected:
    void TearDown() override { SetSettingsStore(nullptr); }

    // What a start of the program finds in the file.
    TOptions Load(bool* found = nullptr) {
        store = std::make_unique<RegistryFileStore>(file);
        SetSettingsStore(store.get());
        TOptions options;
        const bool loaded = options.Load();
        if (found != nullptr)
            *found = loaded;
        return options;
    }

    // Loads, then saves the given record, as one run of the program does.
    void Save(TOptions options) {
        Load();
        options.Save();
    }

    std::string SaveError(TOptions options) {
        try {
            Save(options);
        } catch (const SettingsWriteError& error) {
            return error.what();
        }
        return "saved";
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(file.parent_path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TOptions Changed() {
        TOptions options;
        options.PeasCount = -5;
        options.KeyWhite = 0xC041;
        options.TimerEnabled = false;
        options.WaveWrong = true;
        options.WaveFilename = "/home/пользователь/\"звук\" \\ 1.wav";
        return options;
    }

    testing::TemporaryFolder folder;
    fs::path file = folder.Path() / "config" / "Tellumor" / "Kvarzel.reg";
    std::unique_ptr<RegistryFileStore> store;
};

TEST_F(SettingsFile, FirstRunWithoutFileGivesDefaults) {
    bool found = true;
    EXPECT_EQ(Load(&found), TOptions());
    EXPECT_FALSE(found);
}

TEST_F(SettingsFile, SaveCreatesTheFoldersAndAFileThatReadsNaturally) {
    Save(TOptions());
    EXPECT_EQ(ReadBytes(file), DefaultsFile);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Kvarzel.reg"});
}

TEST_F(SettingsFile, SaveThenLoadGivesTheRecordBack) {
    TOptions options = Changed();
    Save(options);
    options.WaveFilename = "/home/пользователь/звук \\ 1.wav";
    bool found = false;
    EXPECT_EQ(Load(&found), options);
    EXPECT_TRUE(found);
}

TEST_F(SettingsFile, WrittenFileRoundTripsThroughTheParser) {
    Save(Changed());
    const std::string written = ReadBytes(file);
    const RegistryTextParse parsed = ParseRegistryText(written);
    EXPECT_EQ(parsed.SkippedLines, 0u);
    EXPECT_FALSE(parsed.EndsMidLine);
    EXPECT_EQ(WriteRegistryText(parsed.Hive), written);
}

TEST_F(SettingsFile, HandWrittenFileInEverySyntaxLoads) {
    fs::create_directories(file.parent_path());
    fs::copy_file(TestData("every_syntax.reg"), file);
    TOptions expected;
    expected.PeasCount = 25;
    expected.PeasRatio = -1;
    expected.KeyWhite = 0x2057;
    expected.KeyBlack = 0x4242;
    expected.TimerEnabled = true;
    expected.TimeInterval = 2000;
    expected.BeepWrong = true;
    expected.WaveWrong = true;
    expected.WaveFilename = "/sA.wav";
    EXPECT_EQ(Load(), expected);
}

TEST_F(SettingsFile, SaveKeepsOtherProductsAndDropsForeignValuesOfOurs) {
    fs::create_directories(file.parent_path());
    fs::copy_file(TestData("every_syntax.reg"), file);
    Save(TOptions());
    const RegistryHive hive = ParseRegistryText(ReadBytes(file)).Hive;
    EXPECT_NE(hive.Find("HKEY_CURRENT_USER\\Software\\Other"), nullptr);
    const RegistryKey* product = hive.Find("HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel");
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->FindValue(""), nullptr);
    EXPECT_EQ(
        hive.Find("HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Sounds")->FindValue("Multi"),
        nullptr);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Kvarzel.reg"});
}

TEST_F(SettingsFile, LinkedFileStaysALink) {
    const fs::path real = folder.Path() / "dotfiles" / "Kvarzel.reg";
    fs::create_directories(real.parent_path());
    WriteBytes(real, "REGEDIT4\n");
    fs::create_directories(file.parent_path());
    fs::create_symlink(real, file);
    Save(TOptions());
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(ReadBytes(real), DefaultsFile);
}

TEST_F(SettingsFile, EraseAloneIsCommitted) {
    Save(TOptions());
    Load();
    EXPECT_TRUE(TOptions().Erase());
    EXPECT_EQ(ReadBytes(file), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n");
}

// --- Damaged files ----------------------------------------------------------

class DamagedSettingsFile : public SettingsFile {
protected:
    void SetUp() override {
        fs::create_directories(file.parent_path());
        original = ReadBytes(TestData("corpus/written.reg"));
        original.insert(original.find("[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Keys]"),
                        std::string("\x00\xFF garbage \x01\n", 14) + std::string(10 << 20, '#') +
                            "\n");
        original += "\"TimeInterval\"=dword:000001";
        WriteBytes(file, original);
    }

    std::string original;
};

TEST_F(DamagedSettingsFile, LoadsWhatItCan) {
    const TOptions loaded = Load();
    EXPECT_EQ(loaded.PeasCount, 10);
    EXPECT_TRUE(loaded.WaveWrong);
    EXPECT_EQ(loaded.WaveFilename, "/home/пользователь/звук.wav");
}

TEST_F(DamagedSettingsFile, FirstSaveKeepsTheOriginalAsBackup) {
    Save(Changed());
    EXPECT_EQ(ReadBytes(store->BackupFile()), original);
    EXPECT_EQ(ParseRegistryText(ReadBytes(file)).SkippedLines, 0u);
    EXPECT_EQ(Load(), Load());
    fs::remove(store->BackupFile());
    Save(TOptions());
    EXPECT_FALSE(fs::exists(store->BackupFile()));
}

TEST_F(SettingsFile, CleanFileGetsNoBackup) {
    Save(TOptions());
    Save(Changed());
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Kvarzel.reg"});
}

TEST_F(SettingsFile, FolderInPlaceOfTheFileLoadsDefaultsAndFailsToSave) {
    fs::create_directories(file / "inside");
    EXPECT_EQ(Load(), TOptions());
    EXPECT_EQ(SaveError(Changed()), "Failed to set data for '" + file.string() + "'");
    EXPECT_TRUE(fs::is_directory(file / "inside"));
}

TEST_F(SettingsFile, PipeInPlaceOfTheFileDoesNotHang) {
    fs::create_directories(file.parent_path());
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(Load(), TOptions());
    EXPECT_NE(SaveError(TOptions()), "saved");
    EXPECT_TRUE(fs::is_fifo(file));
}

TEST_F(SettingsFile, OversizedFileIsNeitherReadNorReplaced) {
    fs::create_directories(file.parent_path());
    WriteBytes(file, "[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel]\n\"PeasCount\"=dword:5\n");
    const std::uintmax_t size = RegistryFileStore::MaxFileSize + 1;
    fs::resize_file(file, size);
    EXPECT_EQ(Load(), TOptions());
    EXPECT_EQ(SaveError(Changed()), "Failed to set data for '" + file.string() + "'");
    EXPECT_EQ(fs::file_size(file), size);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Kvarzel.reg"});
}

// --- Saves that cannot be written -------------------------------------------

class FailedSave : public SettingsFile {
protected:
    void SetUp() override {
        Save(Changed());
        before = ReadBytes(file);
    }

    void ExpectOldFileWhole() {
        EXPECT_EQ(ReadBytes(file), before);
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Kvarzel.reg"});
    }

    std::string ExpectedError() const { return "Failed to set data for '" + file.string() + "'"; }

    std::string before;
};

enum class ChildResult { Passed, Failed, NoUserSwitch };

// Root writes into read-only folders anyway, so a root test runs the check in
// a child process as an ordinary user that owns the folder tree.
bool HandOver(const fs::path& tree, uid_t user) {
    bool handed = ::lchown(tree.c_str(), user, user) == 0;
    for (const auto& entry : fs::recursive_directory_iterator(tree))
        handed = ::lchown(entry.path().c_str(), user, user) == 0 && handed;
    return handed;
}

constexpr uid_t OrdinaryUser = 65534;

ChildResult RunAs(uid_t user, const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0)
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return ChildResult::Failed;
    const int code = WEXITSTATUS(status);
    return code == 0   ? ChildResult::Passed
           : code == 2 ? ChildResult::NoUserSwitch
                       : ChildResult::Failed;
}

ChildResult RunAsOrdinaryUser(const fs::path& tree, const std::function<bool()>& check) {
    if (!HandOver(tree, OrdinaryUser))
        return ChildResult::NoUserSwitch;
    return RunAs(OrdinaryUser, check);
}

TEST_F(FailedSave, FolderWithoutWritePermission) {
    const auto saveFails = [this] {
        fs::permissions(file.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        const bool failed = SaveError(TOptions()) == ExpectedError();
        fs::permissions(file.parent_path(), fs::perms::owner_all);
        return failed;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(saveFails());
    } else {
        const ChildResult result = RunAsOrdinaryUser(folder.Path(), saveFails);
        if (result == ChildResult::NoUserSwitch)
            GTEST_SKIP() << "root that cannot switch to an ordinary user";
        EXPECT_EQ(result, ChildResult::Passed);
    }
    ExpectOldFileWhole();
}

// The file size limit stops writes part way, also for root: the temporary
// file is cut short and must never replace the old one.
TEST_F(FailedSave, WriteCutShort) {
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string error = SaveError(TOptions());
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(error, ExpectedError());
    ExpectOldFileWhole();
}

TEST_F(FailedSave, FolderPathBlockedByAFile) {
    file = folder.Path() / "blocked" / "Tellumor" / "Kvarzel.reg";
    WriteBytes(folder.Path() / "blocked", "not a folder");
    EXPECT_EQ(SaveError(TOptions()), ExpectedError());
    EXPECT_EQ(ReadBytes(folder.Path() / "blocked"), "not a folder");
}

TEST_F(FailedSave, BackupThatCannotBeWrittenKeepsTheDamagedFile) {
    const std::string damaged = before + "damaged line\n";
    WriteBytes(file, damaged);
    fs::create_directories(file.string() + ".bak/inside");
    EXPECT_EQ(SaveError(TOptions()), ExpectedError());
    EXPECT_EQ(ReadBytes(file), damaged);
}

// --- Files that are not ours to replace ---------------------------------------

class ProtectedFile : public FailedSave {
protected:
    // A save ends with the save error and leaves `untouched` as it was: tried
    // as the user running the tests and, when that is root, also as an
    // ordinary user in a child process. With `othersOwnIt`, `untouched`
    // belongs to someone other than the one saving.
    void ExpectSaveRefused(const fs::path& untouched, bool othersOwnIt) {
        const std::string contents = ReadBytes(untouched);
        const auto refused = [&] {
            return SaveError(TOptions()) == ExpectedError() && ReadBytes(untouched) == contents;
        };
        if (::geteuid() != 0) {
            if (othersOwnIt)
                GTEST_SKIP() << "only root can give a file to another user";
            EXPECT_TRUE(refused());
            return;
        }
        if (othersOwnIt) {
            ASSERT_EQ(::lchown(untouched.c_str(), OrdinaryUser, OrdinaryUser), 0);
        }
        EXPECT_TRUE(refused()) << "as root";
        ASSERT_TRUE(HandOver(folder.Path(), OrdinaryUser));
        if (othersOwnIt) {
            ASSERT_EQ(::lchown(untouched.c_str(), 0, 0), 0);
        }
        const ChildResult result = RunAs(OrdinaryUser, refused);
        if (result == ChildResult::NoUserSwitch)
            GTEST_SKIP() << "root that cannot switch to an ordinary user";
        EXPECT_EQ(result, ChildResult::Passed) << "as an ordinary user";
        EXPECT_EQ(ReadBytes(untouched), contents);
    }

    fs::path LinkInPlaceOfTheFile(const fs::path& target) {
        fs::remove(file);
        fs::create_symlink(target, file);
        return target;
    }
};

TEST_F(ProtectedFile, ReadOnlyFileStaysAsItIs) {
    constexpr auto readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    ExpectSaveRefused(file, false);
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
}

TEST_F(ProtectedFile, AnotherUsersFileInItsPlaceIsNotReplaced) {
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    ExpectSaveRefused(file, true);
}

TEST_F(ProtectedFile, LinkToAnotherUsersFileIsNotFollowed) {
    const fs::path others = folder.Path() / "etc" / "passwd";
    fs::create_directories(others.parent_path());
    WriteBytes(others, "root:x:0:0:root:/root:/bin/bash\n");
    LinkInPlaceOfTheFile(others);
    ExpectSaveRefused(others, true);
    EXPECT_TRUE(fs::is_symlink(file));
}

TEST_F(ProtectedFile, LinkToOurReadOnlyFileIsNotFollowed) {
    const fs::path ours = folder.Path() / "dotfiles" / "Kvarzel.reg";
    fs::create_directories(ours.parent_path());
    fs::copy_file(file, ours);
    fs::permissions(ours, fs::perms::owner_read);
    LinkInPlaceOfTheFile(ours);
    ExpectSaveRefused(ours, false);
}

TEST_F(ProtectedFile, LinkToNothingOrToAFolderIsNotFollowed) {
    const fs::path nowhere = LinkInPlaceOfTheFile(folder.Path() / "nowhere.reg");
    EXPECT_EQ(SaveError(TOptions()), ExpectedError());
    EXPECT_FALSE(fs::exists(nowhere));
    const fs::path elsewhere = LinkInPlaceOfTheFile(folder.Path() / "elsewhere");
    fs::create_directories(elsewhere);
    EXPECT_EQ(SaveError(TOptions()), ExpectedError());
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

// --- Interrupted saves ---------------------------------------------------------

// A child saves two versions in turn until it is killed, at 200 random
// moments; the file must be one of them, whole, every time, and the save
// after each kill must leave no temporary file behind.
TEST_F(SettingsFile, KilledSavesLeaveAWholeFileAndNoTemporaryFiles) {
    Save(Changed());
    const std::string changedText = ReadBytes(file);
    Save(TOptions());
    const std::string defaultText = ReadBytes(file);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<useconds_t> moment(0, 4000);
    int torn = 0;
    int leftOver = 0;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (bool changed = true;; changed = !changed)
                    Save(changed ? Changed() : TOptions());
            } catch (...) {
            }
            ::_exit(1);
        }
        ::usleep(moment(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string text = ReadBytes(file);
        torn += text != changedText && text != defaultText ? 1 : 0;
        Save(TOptions());
        leftOver += FolderEntries() != std::vector<std::string>{"Kvarzel.reg"} ? 1 : 0;
    }
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(leftOver, 0);
}

// Another copy's clean-up of stale temporary files may take this save's
// temporary file before the save has locked it: removed already, or locked by
// the clean-up and about to be removed. The save must land all the same.
class TemporaryTakenOnce {
public:
    explicit TemporaryTakenOnce(bool keepLocked) {
        SetTemporaryCreatedHookForTesting([this, keepLocked](const fs::path& temporary) {
            if (calls_++ != 0)
                return;
            if (keepLocked) {
                cleanUp_ = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
                ::flock(cleanUp_, LOCK_EX | LOCK_NB);
            }
            fs::remove(temporary);
        });
    }
    ~TemporaryTakenOnce() {
        SetTemporaryCreatedHookForTesting(nullptr);
        if (cleanUp_ >= 0)
            ::close(cleanUp_);
    }
    int Calls() const { return calls_; }

private:
    int calls_ = 0;
    int cleanUp_ = -1;
};

TEST_F(SettingsFile, SaveLandsWhenAnotherCopyRemovesItsUnlockedTemporaryFile) {
    Save(Changed());
    const std::string changedText = ReadBytes(file);
    for (const bool keepLocked : {false, true}) {
        SCOPED_TRACE(keepLocked ? "locked by the clean-up" : "removed");
        Save(TOptions());
        {
            TemporaryTakenOnce takenOnce(keepLocked);
            EXPECT_EQ(SaveError(Changed()), "saved");
            EXPECT_EQ(takenOnce.Calls(), 2);
        }
        EXPECT_EQ(ReadBytes(file), changedText);
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Kvarzel.reg"});
    }
}

// --- Where the file lives -----------------------------------------------------

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserSettingsPath, FollowsTheConfigFolderRules) {
    ScopedEnvironment home("HOME", "/home/u");
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(UserSettingsPath(), fs::path("/cfg/Tellumor/Kvarzel.reg"));
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/cfg"}) {
        ScopedEnvironment config("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(UserSettingsPath(), fs::path("/home/u/.config/Tellumor/Kvarzel.reg"));
    }
}

TEST(UserSettingsPath, StoreReadsTheUsersFile) {
    testing::TemporaryFolder folder;
    ScopedEnvironment config("XDG_CONFIG_HOME", folder.Path().c_str());
    fs::create_directories(folder.Path() / "Tellumor");
    WriteBytes(folder.Path() / "Tellumor" / "Kvarzel.reg",
               "[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel]\n\"PeasCount\"=dword:3\n");
    const auto store = UserSettingsStore();
    EXPECT_EQ(store->ReadValue("Software\\Tellumor\\Kvarzel", "PeasCount"),
              RegistryValue::Integer(3));
    EXPECT_EQ(store->Location(), (folder.Path() / "Tellumor" / "Kvarzel.reg").string());
}

} // namespace
} // namespace kvarzel
