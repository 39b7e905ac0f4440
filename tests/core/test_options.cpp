// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

TEST(TOptions, NewRecordHoldsTheDefaults) {
    const TOptions options;
    EXPECT_EQ(options.PeasCount, 10);
    EXPECT_EQ(options.PeasRatio, 0);
    EXPECT_EQ(options.KeyWhite, 0);
    EXPECT_EQ(options.KeyBlack, 0);
    EXPECT_TRUE(options.TimerEnabled);
    EXPECT_EQ(options.TimeInterval, 1000);
    EXPECT_FALSE(options.BeepWrong);
    EXPECT_EQ(options.BeepFrequency, 600);
    EXPECT_EQ(options.BeepDuration, 1);
    EXPECT_FALSE(options.WaveWrong);
    EXPECT_EQ(options.WaveFilename, "");
}

TEST(TOptions, SetDefaultsGivesExactlyANewRecord) {
    TOptions options;
    options.PeasCount = -3;
    options.PeasRatio = 25;
    options.KeyWhite = 0xFFFF;
    options.KeyBlack = 0x4042;
    options.TimerEnabled = false;
    options.TimeInterval = 60000;
    options.BeepWrong = true;
    options.BeepFrequency = 37;
    options.BeepDuration = 60000;
    options.WaveWrong = true;
    options.WaveFilename = "Infected.wav";
    ASSERT_NE(options, TOptions());
    options.SetDefaults();
    EXPECT_EQ(options, TOptions());
}

} // namespace
} // namespace kvarzel
