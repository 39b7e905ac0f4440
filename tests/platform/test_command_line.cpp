// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace kvarzel {
namespace {

CommandLineRequest Read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "kvarzel");
    arguments.push_back(nullptr);
    return ReadCommandLine(static_cast<int>(arguments.size()) - 1, arguments.data());
}

TEST(CommandLineTest, OnlyTheTwoOptionsAskForAnAnswerAndTheFirstOfThemDecides) {
    using enum CommandLineRequest;
    const struct {
        std::vector<const char*> Arguments;
        CommandLineRequest Expected;
    } cases[] = {
        {{}, RunProgram},
        {{"--help"}, ShowUsage},
        {{"-h"}, ShowUsage},
        {{"-h", "--version"}, ShowUsage},
        {{"--version"}, ShowVersion},
        {{"--version", "--help"}, ShowVersion},
        {{"-platform", "xcb", "--help"}, ShowUsage},
        {{"-style", "fusion", "-reverse", "file.wav"}, RunProgram},
        {{"--HELP", "-help", "-H", "--h", "--help=1", "--versions", "-v", ""}, RunProgram},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const char* argument : c.Arguments)
            shown += std::string(" ") + argument;
        EXPECT_EQ(Read(c.Arguments), c.Expected) << shown;
    }
    EXPECT_EQ(ReadCommandLine(0, nullptr), RunProgram);
}

TEST(CommandLineTest, TheUsageIsShortAndRussianAndNamesBothOptions) {
    std::ostringstream out;
    EXPECT_EQ(AnswerCommandLine(CommandLineRequest::ShowUsage, "1.2.3", out), 0);
    const std::string usage = out.str();
    EXPECT_EQ(usage.rfind("Использование: kvarzel [-h | --help | --version]\n", 0), 0u) << usage;
    for (const char* part : {"\n  -h, --help ", "\n  --version ", "Tellumor/Kvarzel.reg"})
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    EXPECT_LE(std::count(usage.begin(), usage.end(), '\n'), 12);
    EXPECT_EQ(usage.back(), '\n');
}

TEST(CommandLineTest, TheVersionIsTheProgramsNameAndTheGivenVersion) {
    std::ostringstream out;
    EXPECT_EQ(AnswerCommandLine(CommandLineRequest::ShowVersion, "4.5.6", out), 0);
    EXPECT_EQ(out.str(), "Кварзель 4.5.6\n");
}

} // namespace
} // namespace kvarzel
