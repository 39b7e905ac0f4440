// SPDX-License-Identifier: GPL-3.0-or-later
// Which display servers the program finds before Qt starts. The message and
// its language are checked on the real program by tests/program.
#include "platform/desktop/display_check.h"
#include "test_support/working_directory.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kvarzel {
namespace {

TEST(DisplayCheckTest, QtsOrderOfPlatformsIsFollowed) {
    using Platforms = std::vector<std::string>;
    EXPECT_EQ(PlatformsToTry({}), Platforms{"xcb"});
    EXPECT_EQ(PlatformsToTry({.WaylandDisplay = "w-1"}), (Platforms{"wayland", "xcb"}));
    EXPECT_EQ(PlatformsToTry({.WaylandSession = true}), (Platforms{"wayland", "xcb"}));
    EXPECT_EQ(PlatformsToTry({.Platform = "offscreen", .WaylandDisplay = "w-1"}),
              Platforms{"offscreen"});
    EXPECT_EQ(PlatformsToTry({.Platform = "wayland;xcb:nograb;"}),
              (Platforms{"wayland", "xcb:nograb"}));
}

// A server that is not there is found missing; a Wayland socket that accepts
// connections, by name or by path, and a platform without a server are found.
TEST(DisplayCheckTest, OnlyAServerThatAcceptsAConnectionCounts) {
    testing::ScopedWorkingDirectory folder;
    EXPECT_FALSE(CanOpenDisplay({.Platform = "xcb", .XDisplay = ":4711"}));
    EXPECT_FALSE(CanOpenDisplay({.Platform = "xcb"}));
    EXPECT_TRUE(CanOpenDisplay({.Platform = "xcb;offscreen", .XDisplay = ":4711"}));
    const std::string runtime = folder.Path().string();
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
    EXPECT_TRUE(CanOpenDisplay({.Platform = "wayland", .WaylandDisplay = path}));
    close(server);
}

// The message names the displays that were set for the platforms tried, and
// asks for one where none was.
TEST(DisplayCheckTest, TheMessageNamesTheDisplaysThatCouldNotBeOpened) {
    const struct {
        DisplaySettings Settings;
        std::string English;
        std::string Russian;
    } cases[] = {
        {{}, "kvarzel: no display to open the window on (set DISPLAY or WAYLAND_DISPLAY)",
         "kvarzel: нет дисплея, на котором открыть окно (задайте DISPLAY или WAYLAND_DISPLAY)"},
        {{.XDisplay = ":4711"}, "kvarzel: cannot open display :4711",
         "kvarzel: не удаётся открыть дисплей :4711"},
        {{.XDisplay = ":4711", .WaylandDisplay = "wayland-9"},
         "kvarzel: cannot open display wayland-9 or :4711",
         "kvarzel: не удаётся открыть дисплей wayland-9 или :4711"},
        {{.Platform = "wayland", .XDisplay = ":4711"},
         "kvarzel: no display to open the window on (set DISPLAY or WAYLAND_DISPLAY)",
         "kvarzel: нет дисплея, на котором открыть окно (задайте DISPLAY или WAYLAND_DISPLAY)"},
        {{.Platform = "xcb;xcb", .XDisplay = "remote:1"}, "kvarzel: cannot open display remote:1",
         "kvarzel: не удаётся открыть дисплей remote:1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoDisplayMessage(c.Settings, false), c.English);
        EXPECT_EQ(NoDisplayMessage(c.Settings, true), c.Russian);
    }
}

} // namespace
} // namespace kvarzel
