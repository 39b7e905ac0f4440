// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/settings_store.h"
#include "test_support/memory_registry_store.h"
#include "test_support/settings_keys.h"
#include "test_support/working_directory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using testing::MemoryRegistryStore;

using testing::Product;
using testing::Keys;
using testing::Timer;
using testing::Sounds;

RegistryValue Integer(std::uint32_t number) {
    return RegistryValue::Integer(number);
}
RegistryValue Text(const std::string& text) {
    return RegistryValue::Text(text);
}

class SettingsLoad : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsStore(&store); }
    void TearDown() override { SetSettingsStore(nullptr); }

    void CreateDefaultWave() { std::ofstream("Infected.wav") << "RIFF"; }

    // Every stored value set to something other than its default.
    void StoreFullRecord() {
        store.Put(Product, "PeasCount", Integer(250));
        store.Put(Product, "PeasRatio", Integer(7));
        store.Put(Keys, "KeyWhite", Integer(0x2057));
        store.Put(Keys, "KeyBlack", Integer(0x4042));
        store.Put(Timer, "TimerEnabled", Integer(0));
        store.Put(Timer, "TimeInterval", Integer(2500));
        store.Put(Sounds, "BeepWrong", Integer(1));
        store.Put(Sounds, "BeepFrequency", Integer(440));
        store.Put(Sounds, "BeepDuration", Integer(90));
        store.Put(Sounds, "WaveWrong", Integer(0));
        store.Put(Sounds, "WaveFilename", Text("/tmp/ding.wav"));
    }

    testing::ScopedWorkingDirectory folder;
    MemoryRegistryStore store;
    TOptions options;
};

TEST_F(SettingsLoad, FirstRunGivesDefaultsAndFalse) {
    EXPECT_FALSE(options.Load());
    EXPECT_EQ(options, TOptions());
}

TEST_F(SettingsLoad, FirstRunPicksUpInfectedWaveFile) {
    CreateDefaultWave();
    EXPECT_FALSE(options.Load());
    EXPECT_TRUE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "Infected.wav");
}

TEST_F(SettingsLoad, FolderNamedInfectedWaveDoesNotCount) {
    std::filesystem::create_directory("Infected.wav");
    options.Load();
    EXPECT_FALSE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "");
}

TEST_F(SettingsLoad, MissingMainKeyKeepsEveryOtherFieldAsItWas) {
    options.PeasCount = 77;
    options.WaveWrong = true;
    options.WaveFilename = "old.wav";
    EXPECT_FALSE(options.Load());
    EXPECT_EQ(options.PeasCount, 77);
    EXPECT_FALSE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "");
}

TEST_F(SettingsLoad, NoStoreInstalledLoadsLikeFirstRun) {
    SetSettingsStore(nullptr);
    EXPECT_FALSE(options.Load());
    EXPECT_EQ(options, TOptions());
}

TEST_F(SettingsLoad, ReadsEveryStoredValue) {
    StoreFullRecord();
    EXPECT_TRUE(options.Load());
    EXPECT_EQ(options.PeasCount, 250);
    EXPECT_EQ(options.PeasRatio, 7);
    EXPECT_EQ(options.KeyWhite, 0x2057);
    EXPECT_EQ(options.KeyBlack, 0x4042);
    EXPECT_FALSE(options.TimerEnabled);
    EXPECT_EQ(options.TimeInterval, 2500);
    EXPECT_TRUE(options.BeepWrong);
    EXPECT_EQ(options.BeepFrequency, 440);
    EXPECT_EQ(options.BeepDuration, 90);
    EXPECT_FALSE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "/tmp/ding.wav");
}

TEST_F(SettingsLoad, KeyAndValueNamesMatchWithoutRegardToCase) {
    store.Put("SOFTWARE\\tellumor\\KVARZEL", "peascount", Integer(31));
    EXPECT_TRUE(options.Load());
    EXPECT_EQ(options.PeasCount, 31);
}

TEST_F(SettingsLoad, MainKeyWithoutSubkeysKeepsTheirFields) {
    CreateDefaultWave();
    store.Put(Product, "PeasCount", Integer(12));
    options.KeyWhite = 5;
    options.BeepFrequency = 1234;
    EXPECT_TRUE(options.Load());
    EXPECT_EQ(options.PeasCount, 12);
    EXPECT_EQ(options.KeyWhite, 5);
    EXPECT_EQ(options.BeepFrequency, 1234);
    // Without "Sounds" the wave file found in the current directory stands.
    EXPECT_TRUE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "Infected.wav");
}

TEST_F(SettingsLoad, EmptySubkeysGiveTheFallbackOfEveryValue) {
    store.PutKey(Product);
    store.PutKey(Keys);
    store.PutKey(Timer);
    store.PutKey(Sounds);
    options.PeasCount = options.PeasRatio = options.TimeInterval = 3;
    options.KeyWhite = options.KeyBlack = 3;
    options.BeepFrequency = options.BeepDuration = 3;
    options.TimerEnabled = false;
    options.BeepWrong = true;
    EXPECT_TRUE(options.Load());
    EXPECT_EQ(options, TOptions());
}

TEST_F(SettingsLoad, SoundsWithoutWaveFilenameEmptiesTheDefaultWave) {
    CreateDefaultWave();
    store.Put(Sounds, "WaveWrong", Integer(1));
    options.Load();
    EXPECT_TRUE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "");
}

TEST_F(SettingsLoad, SoundsWithoutWaveWrongKeepsTheDefaultWaveFlag) {
    CreateDefaultWave();
    store.PutKey(Sounds);
    options.Load();
    EXPECT_TRUE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "");
}

TEST_F(SettingsLoad, StoredWaveSettingsOverrideTheDefaultWave) {
    CreateDefaultWave();
    StoreFullRecord();
    options.Load();
    EXPECT_FALSE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "/tmp/ding.wav");
}

// Each value is read by itself: a wrong type falls back to that value's default
// and the values around it still load.
TEST_F(SettingsLoad, MistypedValuesFallBackOneByOne) {
    StoreFullRecord();
    store.Put(Product, "PeasCount", Text("25"));
    store.Put(Keys, "KeyWhite", RegistryValue{RegistryType::Binary, {0x57, 0x20, 0, 0}});
    store.Put(Timer, "TimerEnabled", RegistryValue{RegistryType::ExpandableText, {'0', 0}});
    store.Put(Sounds, "BeepFrequency", RegistryValue{11, {1, 2, 3, 4, 5, 6, 7, 8}});
    store.Put(Sounds, "BeepDuration", RegistryValue{RegistryType::Integer, {1, 2}});
    store.Put(Sounds, "WaveWrong", Text("1"));
    options.Load();
    EXPECT_EQ(options.PeasCount, 10);
    EXPECT_EQ(options.PeasRatio, 7);
    EXPECT_EQ(options.KeyWhite, 0);
    EXPECT_EQ(options.KeyBlack, 0x4042);
    EXPECT_TRUE(options.TimerEnabled);
    EXPECT_EQ(options.TimeInterval, 2500);
    EXPECT_EQ(options.BeepFrequency, 600);
    EXPECT_EQ(options.BeepDuration, 1);
    EXPECT_FALSE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "/tmp/ding.wav");
}

TEST_F(SettingsLoad, WaveFilenameOfAnotherTypeKeepsWhatTheStartLeft) {
    CreateDefaultWave();
    store.Put(Sounds, "WaveFilename", Integer(5));
    options.Load();
    EXPECT_EQ(options.WaveFilename, "Infected.wav");
}

TEST_F(SettingsLoad, AnyValueWithoutDataIsEmptyText) {
    CreateDefaultWave();
    store.Put(Sounds, "WaveFilename", RegistryValue{RegistryType::Binary, {}});
    options.Load();
    EXPECT_EQ(options.WaveFilename, "");
}

TEST_F(SettingsLoad, NonZeroNumbersAreTrue) {
    store.Put(Timer, "TimerEnabled", Integer(5));
    store.Put(Sounds, "BeepWrong", Integer(0x80000000));
    store.Put(Sounds, "WaveWrong", Integer(0xFFFFFFFF));
    options.Load();
    EXPECT_TRUE(options.TimerEnabled);
    EXPECT_TRUE(options.BeepWrong);
    EXPECT_TRUE(options.WaveWrong);
}

TEST_F(SettingsLoad, NegativeNumbersComeBackFromTheirBitPattern) {
    store.Put(Product, "PeasCount", Integer(0xFFFFFFFF));
    store.Put(Product, "PeasRatio", Integer(0x80000000));
    store.Put(Timer, "TimeInterval", Integer(0xFFFFFC18));
    options.Load();
    EXPECT_EQ(options.PeasCount, -1);
    EXPECT_EQ(options.PeasRatio, INT32_MIN);
    EXPECT_EQ(options.TimeInterval, -1000);
}

TEST_F(SettingsLoad, ShortcutsKeepTheirLowSixteenBits) {
    store.Put(Keys, "KeyWhite", Integer(0x12345678));
    store.Put(Keys, "KeyBlack", Integer(0xFFFF0000));
    options.Load();
    EXPECT_EQ(options.KeyWhite, 0x5678);
    EXPECT_EQ(options.KeyBlack, 0);
}

TEST_F(SettingsLoad, QuotesAreRemovedFromTheWaveFilenameWherever) {
    store.Put(Sounds, "WaveFilename", Text("\"/home/a \"b\".wav\""));
    options.Load();
    EXPECT_EQ(options.WaveFilename, "/home/a b.wav");
}

TEST_F(SettingsLoad, ExpandableTextIsTakenLiterally) {
    store.Put(Sounds, "WaveFilename",
              RegistryValue::Text("$HOME/%USERPROFILE%.wav", RegistryType::ExpandableText));
    options.Load();
    EXPECT_EQ(options.WaveFilename, "$HOME/%USERPROFILE%.wav");
}

TEST_F(SettingsLoad, TextEndsAtItsFirstZeroByte) {
    store.Put(Sounds, "WaveFilename",
              RegistryValue{RegistryType::Text, {'a', '.', 'w', 0, 'x', 0}});
    options.Load();
    EXPECT_EQ(options.WaveFilename, "a.w");
}

TEST_F(SettingsLoad, TextWithoutTerminatingZeroIsReadWhole) {
    store.Put(Sounds, "WaveFilename", RegistryValue{RegistryType::Text, {'a', 'b'}});
    options.Load();
    EXPECT_EQ(options.WaveFilename, "ab");
}

} // namespace
} // namespace kvarzel
