// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace kvarzel {
namespace {

CommandLine Read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "kvarzel");
    arguments.push_back(nullptr);
    return ReadCommandLine(static_cast<int>(arguments.size()) - 1, arguments.data());
}

// The first option decides, as getopt_long reads it: the two known ones by
// their short or long name or a start of the long one; any other option is
// refused, Qt's own included, since the program hands none of them to Qt.
TEST(CommandLineTest, TheFirstOptionDecidesAndUnknownOnesAreRefused) {
    using enum CommandLineRequest;
    const struct {
        std::vector<const char*> Arguments;
        CommandLineRequest Expected;
        std::string Option;
    } cases[] = {
        {{}, RunProgram, ""},
        {{"--help"}, ShowUsage, "--help"},
        {{"-h"}, ShowUsage, "-h"},
        {{"--h"}, ShowUsage, "--h"},
        {{"-h", "--version"}, ShowUsage, "-h"},
        {{"--version"}, ShowVersion, "--version"},
        {{"-v"}, ShowVersion, "-v"},
        {{"--vers"}, ShowVersion, "--vers"},
        {{"--version", "--help"}, ShowVersion, "--version"},
        {{"file.wav", "", "-", "--help"}, ShowUsage, "--help"},
        {{"--", "--foo", "-v"}, RunProgram, ""},
        {{"--foo"}, RefuseOption, "--foo"},
        {{"--foo", "--help"}, RefuseOption, "--foo"},
        {{"--help", "--foo"}, ShowUsage, "--help"},
        {{"-platform", "xcb", "--help"}, RefuseOption, "-platform"},
        {{"-style", "fusion"}, RefuseOption, "-style"},
        {{"--HELP"}, RefuseOption, "--HELP"},
        {{"-help"}, RefuseOption, "-help"},
        {{"-H"}, RefuseOption, "-H"},
        {{"-hv"}, RefuseOption, "-hv"},
        {{"--help=1"}, RefuseOption, "--help=1"},
        {{"--versions"}, RefuseOption, "--versions"},
        {{"---"}, RefuseOption, "---"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const char* argument : c.Arguments)
            shown += std::string(" ") + argument;
        const CommandLine line = Read(c.Arguments);
        EXPECT_EQ(line.Request, c.Expected) << shown;
        EXPECT_EQ(line.Option, c.Option) << shown;
    }
    EXPECT_EQ(ReadCommandLine(0, nullptr), CommandLine{});
}

struct Answered {
    int Status;
    std::string Out;
    std::string Errors;
};

Answered Answer(const CommandLine& line, bool russian = false) {
    std::ostringstream out, errors;
    const int status = AnswerCommandLine(line, "kvarzel 4.5.6.7\n(c)\n", out, errors, russian);
    return {status, out.str(), errors.str()};
}

TEST(CommandLineTest, TheUsageIsShortAndRussianAndNamesBothOptions) {
    const Answered usage = Answer({CommandLineRequest::ShowUsage, "-h"});
    EXPECT_EQ(usage.Status, 0);
    EXPECT_EQ(usage.Out.rfind("Использование: kvarzel [-h | --help | -v | --version]\n", 0), 0u)
        << usage.Out;
    for (const char* part : {"\n  -h, --help ", "\n  -v, --version ", "Tellumor/Kvarzel.reg"})
        EXPECT_NE(usage.Out.find(part), std::string::npos) << part;
    EXPECT_LE(std::count(usage.Out.begin(), usage.Out.end(), '\n'), 12);
    EXPECT_EQ(usage.Out.back(), '\n');
    EXPECT_EQ(usage.Errors, "");
}

TEST(CommandLineTest, TheVersionIsTheGivenText) {
    const Answered version = Answer({CommandLineRequest::ShowVersion, "--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "kvarzel 4.5.6.7\n(c)\n");
    EXPECT_EQ(version.Errors, "");
}

// One line on standard error that names the option and points to --help,
// in the user's language; nothing on standard output; status 2.
TEST(CommandLineTest, ARefusedOptionIsNamedOnOneLineWithStatusTwo) {
    for (const bool russian : {false, true}) {
        const Answered refused = Answer({CommandLineRequest::RefuseOption, "--foo"}, russian);
        EXPECT_EQ(refused.Status, 2);
        EXPECT_EQ(refused.Out, "");
        EXPECT_EQ(std::count(refused.Errors.begin(), refused.Errors.end(), '\n'), 1);
        EXPECT_EQ(refused.Errors.rfind("kvarzel: ", 0), 0u);
        EXPECT_NE(refused.Errors.find("--foo"), std::string::npos);
        EXPECT_NE(refused.Errors.find("kvarzel --help"), std::string::npos);
        EXPECT_EQ(refused.Errors.find("неизвестный") != std::string::npos, russian);
    }
}

} // namespace
} // namespace kvarzel
