// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hand_over_request.h"

#include <gtest/gtest.h>

#include <random>

namespace kvarzel {
namespace {

TEST(HandOverRequestLine, OnlyTheLinesASecondStartWritesAreRequests) {
    const std::string longest(MaxHandOverToken, 'x');
    const struct {
        std::string line;
        std::optional<HandOverRequest> request;
    } cases[] = {
        {"raise\n", HandOverRequest{}},
        {"raise xdg-activation=abc_1:2\n", HandOverRequest{"abc_1:2", ""}},
        {"raise startup-id=kde-123-host-_TIME42\n", HandOverRequest{"", "kde-123-host-_TIME42"}},
        {"raise xdg-activation=t startup-id=s\n", HandOverRequest{"t", "s"}},
        {"raise startup-id=s xdg-activation=t\n", std::nullopt},
        {"raise xdg-activation= startup-id=x_TIME061\n", std::nullopt},
        {"raise xdg-activation=a startup-id=b startup-id=c\n", std::nullopt},
        {"raise startup-id=\n", std::nullopt},
        {"raise xdg-activation=" + longest + "\n", HandOverRequest{longest, ""}},
        {"raise xdg-activation=" + longest + "y\n", std::nullopt},
        {"raise", std::nullopt},
        {"raise\n\n", std::nullopt},
        {"raised\n", std::nullopt},
        {"RAISE\n", std::nullopt},
        {" raise\n", std::nullopt},
        {"raise \n", std::nullopt},
        {"raise xdg-activation=\n", std::nullopt},
        {"raise xdg-activation=a xdg-activation=b\n", std::nullopt},
        {"raise xdg-activation=a  startup-id=b\n", std::nullopt},
        {"raise colour=red\n", std::nullopt},
        {"raise xdg-activation=a\tb\n", std::nullopt},
        {"raise xdg-activation=\xd0\xb0\n", std::nullopt},
        {std::string("raise\0\n", 7), std::nullopt},
        {"raise startup-id=" + std::string(MaxHandOverRequest, 'z') + "\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [line, request] : cases)
        EXPECT_EQ(ParseHandOverRequest(line), request) << line;
}

// Whatever tokens a launcher sets, the line written is a request, at most of
// the longest length, that reads back with every token that could be carried.
TEST(HandOverRequestLine, EveryWrittenLineReadsBack) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> length(0, MaxHandOverToken + 20);
    std::uniform_int_distribution<int> character(1, 255);
    const auto token = [&] {
        std::string text(static_cast<std::size_t>(length(random)), ' ');
        const bool plain = random() % 2 == 0;
        for (char& c : text)
            c = static_cast<char>(plain ? '!' + character(random) % 94 : character(random));
        return text;
    };
    const auto carried = [](const std::string& text) {
        const bool printable =
            std::ranges::all_of(text, [](char c) { return c > ' ' && c < 0x7f; });
        return printable && text.size() <= MaxHandOverToken ? text : std::string();
    };
    for (int round = 0; round < 2000; ++round) {
        const HandOverRequest sent{token(), token()};
        const std::string line = EncodeHandOverRequest(sent);
        ASSERT_LE(line.size(), MaxHandOverRequest);
        const auto read = ParseHandOverRequest(line);
        ASSERT_TRUE(read.has_value()) << line;
        EXPECT_EQ(*read, (HandOverRequest{carried(sent.ActivationToken), carried(sent.StartupId)}));
    }
}

// Lines made of the request's own pieces in any order, and written lines with
// one byte changed: whatever is read as a request is exactly the line the
// writer makes of it.
TEST(HandOverRequestLine, EveryLineReadIsTheWritersLineOfIt) {
    std::mt19937 random(17);
    const std::string pieces[] = {"raise", " ", "xdg-activation=", "startup-id=", "t_TIME1",
                                  "=", "\n", "\t", "x", std::string(1, '\0')};
    const auto piece = [&] { return pieces[random() % std::size(pieces)]; };
    const auto written = [&] {
        return EncodeHandOverRequest({random() % 2 ? piece() + piece() : "",
                                      random() % 2 ? piece() + piece() : ""});
    };
    int read = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        if (round % 2 == 0) {
            for (int count = 1 + random() % 8; count > 0; --count)
                line += piece();
        } else {
            line = written();
            const std::size_t at = random() % line.size();
            switch (random() % 3) {
            case 0: line.erase(at, 1); break;
            case 1: line.insert(at, piece()); break;
            default: line[at] = piece()[0]; break;
            }
        }
        if (const auto request = ParseHandOverRequest(line)) {
            ++read;
            ASSERT_EQ(EncodeHandOverRequest(*request), line);
        }
    }
    EXPECT_GT(read, 1000);
}

TEST(HandOverRequestLine, TheStartupIdGivesTheLaunchersTime) {
    EXPECT_EQ(StartupIdTime("xdg-launch-1234-host-_TIME987654"), 987654U);
    EXPECT_EQ(StartupIdTime("a_TIME1_TIME2"), 2U);
    EXPECT_EQ(StartupIdTime("launcher-1234-host"), std::nullopt);
    EXPECT_EQ(StartupIdTime("launcher_TIME"), std::nullopt);
    EXPECT_EQ(StartupIdTime("launcher_TIME12x"), std::nullopt);
    EXPECT_EQ(StartupIdTime("launcher_TIME99999999999"), std::nullopt);
    EXPECT_EQ(StartupIdTime(""), std::nullopt);
}

} // namespace
} // namespace kvarzel
