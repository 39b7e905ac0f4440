// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_system.h"
#include "test_support/working_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace kvarzel {
namespace {

TEST(WaveExtension, IsTheLastDotsPartLowerCased) {
    for (const char* name : {"a.wav", "Infected.WAV", "x.WaV", "/sounds/.wav", "dir.d\\a.b.wav"})
        EXPECT_TRUE(HasWaveExtension(name)) << name;
    for (const char* name : {"", "wav", "a.wave", "a.wav ", "a.wav.bak", "x.wav\\file",
                             "x.wav/file", "c.wav:stream", "a.wa"})
        EXPECT_FALSE(HasWaveExtension(name)) << name;
}

TEST(WaveExtension, EndsAtASeparatorAfterTheDot) {
    EXPECT_EQ(FileExtension("dir.x/name"), "");
    EXPECT_EQ(FileExtension("C:\\a.b\\c"), "");
    EXPECT_EQ(FileExtension("name."), ".");
    EXPECT_EQ(FileExtension("a.tar.GZ"), ".GZ");
}

TEST(PlainFile, OnlyAnExistingRegularFileCounts) {
    const testing::ScopedWorkingDirectory folder;
    std::ofstream("sound.wav") << "RIFF";
    std::filesystem::create_directory("folder.wav");
    ASSERT_EQ(mkfifo("pipe.wav", 0600), 0);
    std::filesystem::create_symlink("sound.wav", "link.wav");

    EXPECT_TRUE(PlainFileExists("sound.wav"));
    EXPECT_TRUE(PlainFileExists((folder.Path() / "sound.wav").string()));
    EXPECT_TRUE(PlainFileExists("link.wav"));
    EXPECT_FALSE(PlainFileExists("folder.wav"));
    EXPECT_FALSE(PlainFileExists("pipe.wav"));
    EXPECT_FALSE(PlainFileExists("/dev/null"));
    EXPECT_FALSE(PlainFileExists("missing.wav"));
    EXPECT_FALSE(PlainFileExists(""));
    EXPECT_FALSE(PlainFileExists(std::string(10 << 20, 'a')));
}

TEST(PlainFile, ANameWithAZeroByteNamesNoFile) {
    const testing::ScopedWorkingDirectory folder;
    std::ofstream("sound.wav") << "RIFF";
    const std::string cutShort("sound.wav\0.wav", 14);
    EXPECT_FALSE(PlainFileExists(cutShort));
    EXPECT_FALSE(FileExists(cutShort));
    EXPECT_TRUE(FileExists("sound.wav"));
}

} // namespace
} // namespace kvarzel
