// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/display_check.h"
#include "test_support/working_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kvarzel {
namespace {

using Platforms = std::vector<std::string>;

TEST(DisplayCheckTest, QtsOrderOfPlatformsIsFollowed) {
    const struct {
        DisplaySettings Settings;
        Platforms Expected;
    } cases[] = {
        {{}, {"xcb"}},
        {{.WaylandDisplay = "wayland-1"}, {"wayland", "xcb"}},
        {{.WaylandSession = true}, {"wayland", "xcb"}},
        {{.Platform = "offscreen", .WaylandDisplay = "wayland-1"}, {"offscreen"}},
        {{.Platform = "wayland;xcb:nograb;"}, {"wayland", "xcb:nograb"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlatformsToTry(c.Settings), c.Expected) << c.Settings.Platform;
}

TEST(DisplayCheckTest, TheSettingsComeFromTheEnvironment) {
    setenv("QT_QPA_PLATFORM", "wayland;xcb", 1);
    setenv("DISPLAY", ":77", 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    const DisplaySettings settings = ReadDisplaySettings();
    EXPECT_EQ(settings.Platform, "wayland;xcb");
    EXPECT_EQ(settings.XDisplay, ":77");
    EXPECT_TRUE(settings.WaylandSession);
    unsetenv("QT_QPA_PLATFORM");
}

// A server that is not there is found missing; a Wayland socket that accepts
// connections, and a platform without a server, are found.
TEST(DisplayCheckTest, OnlyAServerThatAcceptsAConnectionCounts) {
    testing::ScopedWorkingDirectory folder;
    const std::string runtime = folder.Path().string();
    const DisplaySettings missingX{.Platform = "xcb", .XDisplay = ":4711"};
    EXPECT_FALSE(CanOpenDisplay(missingX));
    EXPECT_FALSE(CanOpenDisplay({.Platform = "xcb"}));
    EXPECT_TRUE(CanOpenDisplay({.Platform = "xcb;offscreen", .XDisplay = ":4711"}));
    DisplaySettings wayland{.Platform = "wayland", .WaylandDisplay = "w-0", .RuntimeFolder = runtime};
    EXPECT_FALSE(CanOpenDisplay(wayland));

    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = runtime + "/w-0";
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(server, 1), 0);
    EXPECT_TRUE(CanOpenDisplay(wayland));
    wayland.WaylandDisplay = path;
    wayland.RuntimeFolder.clear();
    EXPECT_TRUE(CanOpenDisplay(wayland));
    close(server);
}

TEST(DisplayCheckTest, TheMessageIsRussianUnderARussianLocale) {
    const struct {
        const char* All;
        const char* Messages;
        const char* Lang;
        bool Russian;
    } cases[] = {
        {"ru_RU.UTF-8", "en_GB.UTF-8", "", true}, {"", "ru_RU.UTF-8", "C", true},
        {"", "", "ru_UA.UTF-8", true},            {"C.UTF-8", "", "ru_RU.UTF-8", false},
        {"", "", "", false},
    };
    for (const auto& c : cases) {
        setenv("LC_ALL", c.All, 1);
        setenv("LC_MESSAGES", c.Messages, 1);
        setenv("LANG", c.Lang, 1);
        EXPECT_EQ(RussianMessages(), c.Russian) << c.All << c.Messages << c.Lang;
    }
    EXPECT_NE(NoDisplayMessage(true).find("нет дисплея"), std::string_view::npos);
    EXPECT_NE(NoDisplayMessage(false).find("no display"), std::string_view::npos);
}

} // namespace
} // namespace kvarzel
