// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/settings_store.h"
#include "core/statistics_settings.h"
#include "test_support/memory_registry_store.h"
#include "test_support/settings_keys.h"
#include "test_support/working_directory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using ::testing::ElementsAre;
using testing::MemoryRegistryStore;

using testing::Vendor;
using testing::Product;
using testing::Keys;
using testing::Timer;
using testing::Sounds;

class SettingsSave : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsStore(&store); }
    void TearDown() override { SetSettingsStore(nullptr); }

    std::optional<RegistryValue> Stored(const std::string& key, const std::string& name) {
        store.Restart();
        return store.ReadValue(key, name);
    }

    TOptions Record() {
        TOptions options;
        options.PeasCount = 321;
        options.PeasRatio = 13;
        options.KeyWhite = 0xE057;
        options.KeyBlack = 0x0042;
        options.TimerEnabled = false;
        options.TimeInterval = 60000;
        options.BeepWrong = true;
        options.BeepFrequency = 32767;
        options.BeepDuration = 2;
        options.WaveWrong = true;
        options.WaveFilename = "/home/пользователь/звук.wav";
        return options;
    }

    TOptions Reloaded() {
        store.Restart();
        TOptions loaded;
        loaded.Load();
        return loaded;
    }

    testing::ScopedWorkingDirectory folder;
    MemoryRegistryStore store;
};

TEST_F(SettingsSave, WritesEveryValueInTheLayoutOrder) {
    Record().Save();
    EXPECT_THAT(store.ValueNames(Product), ElementsAre("PeasCount", "PeasRatio"));
    EXPECT_THAT(store.ValueNames(Keys), ElementsAre("KeyWhite", "KeyBlack"));
    EXPECT_THAT(store.ValueNames(Timer), ElementsAre("TimerEnabled", "TimeInterval"));
    EXPECT_THAT(store.ValueNames(Sounds), ElementsAre("BeepWrong", "BeepFrequency", "BeepDuration",
                                                      "WaveWrong", "WaveFilename"));
}

TEST_F(SettingsSave, StoresIntegersAndTextWithTheirTypes) {
    Record().Save();
    EXPECT_EQ(Stored(Product, "PeasCount"), RegistryValue::Integer(321));
    EXPECT_EQ(Stored(Keys, "KeyWhite"), RegistryValue::Integer(0xE057));
    EXPECT_EQ(Stored(Timer, "TimerEnabled"), RegistryValue::Integer(0));
    EXPECT_EQ(Stored(Sounds, "BeepWrong"), RegistryValue::Integer(1));
    EXPECT_EQ(Stored(Sounds, "WaveFilename"), RegistryValue::Text("/home/пользователь/звук.wav"));
}

TEST_F(SettingsSave, EmptyWaveFilenameIsASingleZeroByte) {
    TOptions().Save();
    EXPECT_EQ(Stored(Sounds, "WaveFilename"), (RegistryValue{RegistryType::Text, {0}}));
}

TEST_F(SettingsSave, NegativeNumbersAreStoredAsTwosComplement) {
    TOptions options;
    options.PeasCount = -1;
    options.BeepDuration = INT32_MIN;
    options.Save();
    EXPECT_EQ(Stored(Product, "PeasCount"), RegistryValue::Integer(0xFFFFFFFF));
    EXPECT_EQ(Stored(Sounds, "BeepDuration"), RegistryValue::Integer(0x80000000));
    EXPECT_EQ(Reloaded(), options);
}

TEST_F(SettingsSave, SaveThenLoadGivesTheRecordBack) {
    TOptions options = Record();
    options.Save();
    EXPECT_EQ(Reloaded(), options);
}

TEST_F(SettingsSave, QuotesAreKeptOnSavingAndDroppedOnTheNextLoad) {
    TOptions options;
    options.WaveFilename = "\"a b.wav\"";
    options.Save();
    EXPECT_EQ(Stored(Sounds, "WaveFilename"), RegistryValue::Text("\"a b.wav\""));
    EXPECT_EQ(Reloaded().WaveFilename, "a b.wav");
}

TEST_F(SettingsSave, TimerEnabledStoredAsFiveIsWrittenBackAsOne) {
    store.Put(Timer, "TimerEnabled", RegistryValue::Integer(5));
    TOptions options;
    options.Load();
    options.Save();
    EXPECT_EQ(Stored(Timer, "TimerEnabled"), RegistryValue::Integer(1));
}

TEST_F(SettingsSave, ForeignValuesAndSubkeysUnderTheProductAreGone) {
    store.Put(Product, "Stranger", RegistryValue::Text("x"));
    store.Put(Sounds, "Volume", RegistryValue::Integer(3));
    store.Put(Product + "\\Plugins\\Deep\\Deeper", "x", RegistryValue::Integer(1));
    TOptions().Save();
    store.Restart();
    EXPECT_FALSE(store.OpenKey(Product + "\\Plugins"));
    EXPECT_THAT(store.SubkeyNames(Product), ElementsAre("Keys", "Sounds", "Timer"));
    EXPECT_THAT(store.ValueNames(Product), ElementsAre("PeasCount", "PeasRatio"));
    EXPECT_EQ(store.ValueNames(Sounds).size(), 5u);
}

// The history choice is saved when it is made; a settings save in between
// (OK in the options) must not sweep it away, nor make one up.
TEST_F(SettingsSave, TheStoredHistoryChoiceOutlivesTheSaveAlone) {
    const std::string Statistics = Product + "\\Statistics";
    const struct {
        std::optional<std::uint32_t> Before;
        std::optional<RegistryValue> After;
    } cases[] = {{7, RegistryValue::Integer(1)},
                 {0, RegistryValue::Integer(0)},
                 {std::nullopt, std::nullopt}};
    for (const auto& c : cases) {
        MemoryRegistryStore fresh;
        SetSettingsStore(&fresh);
        if (c.Before)
            fresh.Put(Statistics, "KeepHistory", RegistryValue::Integer(*c.Before));
        fresh.Put(Statistics, "Stranger", RegistryValue::Integer(1));
        Record().Save();
        fresh.Restart();
        EXPECT_EQ(fresh.ReadValue(Statistics, "KeepHistory"), c.After);
        EXPECT_EQ(fresh.OpenKey(Statistics), c.After.has_value());
        if (c.After) {
            EXPECT_THAT(fresh.ValueNames(Statistics), ElementsAre("KeepHistory"));
        }
        EXPECT_EQ(fresh.ReadValue(Product, "PeasCount"), RegistryValue::Integer(321));
        EXPECT_EQ(fresh.Commits, 1) << "the choice goes in the same commit";
    }
}

TEST_F(SettingsSave, CommitsExactlyOnce) {
    TOptions().Save();
    EXPECT_EQ(store.Commits, 1);
}

TEST_F(SettingsSave, KeyThatCannotBeCreatedIsSkippedAndTheRestWritten) {
    store.FailingKeys = {Timer};
    Record().Save();
    store.Restart();
    EXPECT_FALSE(store.OpenKey(Timer));
    EXPECT_EQ(Stored(Sounds, "WaveFilename"), RegistryValue::Text("/home/пользователь/звук.wav"));
}

TEST_F(SettingsSave, ValueThatCannotBeWrittenRaisesAndLeavesTheStoredSettingsWhole) {
    TOptions previous = Record();
    previous.Save();
    const auto before = store.Stored();
    store.FailingValues = {"BeepFrequency"};
    try {
        TOptions().Save();
        FAIL() << "the save reported success";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'BeepFrequency'");
    }
    EXPECT_EQ(store.Stored(), before);
    EXPECT_EQ(Reloaded(), previous);
}

TEST_F(SettingsSave, FailedCommitRaisesNamingTheStore) {
    store.FailCommit = true;
    try {
        TOptions().Save();
        FAIL() << "the save reported success";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'memory'");
    }
    EXPECT_TRUE(store.Stored().empty());
}

TEST_F(SettingsSave, WithoutAStoreSavingIsAWriteError) {
    SetSettingsStore(nullptr);
    try {
        TOptions().Save();
        FAIL() << "the save reported success";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Software\\Tellumor\\Kvarzel'");
    }
}

class SettingsErase : public SettingsSave {};

TEST_F(SettingsErase, DeletesDepthFirstFromTheLastSubkey) {
    store.PutKey(Product + "\\A\\A1");
    store.PutKey(Product + "\\A\\A2");
    store.PutKey(Product + "\\B");
    EXPECT_TRUE(TOptions().Erase());
    EXPECT_THAT(store.DeletedKeys,
                ElementsAre(Product + "\\B", Product + "\\A\\A2", Product + "\\A\\A1",
                            Product + "\\A", Product, Vendor));
}

TEST_F(SettingsErase, MissingProductKeyIsSuccess) {
    EXPECT_TRUE(TOptions().Erase());
    EXPECT_TRUE(store.DeletedKeys.empty());
}

TEST_F(SettingsErase, RemovesAnEmptyVendorKeyEvenWithoutTheProduct) {
    store.Put(Vendor, "Leftover", RegistryValue::Integer(1));
    EXPECT_TRUE(TOptions().Erase());
    store.Restart();
    EXPECT_FALSE(store.OpenKey(Vendor));
    EXPECT_TRUE(store.OpenKey("Software"));
}

TEST_F(SettingsErase, SiblingProductKeepsTheVendorKeyAlive) {
    store.Put(Vendor + "\\Other", "Keep", RegistryValue::Integer(7));
    Record().Save();
    store.Restart();
    EXPECT_EQ(store.ReadValue(Vendor + "\\Other", "Keep"), RegistryValue::Integer(7));
    EXPECT_THAT(store.SubkeyNames(Vendor), ElementsAre("Kvarzel", "Other"));
}

TEST_F(SettingsErase, SaveRecreatesTheVendorKey) {
    store.PutKey(Product);
    TOptions().Save();
    EXPECT_THAT(store.DeletedKeys, ElementsAre(Product, Vendor));
    store.Restart();
    EXPECT_TRUE(store.OpenKey(Product));
}

TEST_F(SettingsErase, FailedCommitIsFailure) {
    store.FailCommit = true;
    EXPECT_FALSE(TOptions().Erase());
}

} // namespace
} // namespace kvarzel
