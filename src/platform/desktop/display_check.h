// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kvarzel {

// Where Qt would look for a window system, read from the environment (the
// program gives Qt none of its command line).
struct DisplaySettings {
    std::string Platform{};     // QT_QPA_PLATFORM: names separated by ';'
    std::string XDisplay{};     // DISPLAY
    std::string WaylandDisplay{}; // WAYLAND_DISPLAY
    std::string RuntimeFolder{}; // XDG_RUNTIME_DIR, where a Wayland socket named alone lies
    bool WaylandSession = false; // XDG_SESSION_TYPE is "wayland"
};

DisplaySettings ReadDisplaySettings();

// The platform plugins Qt tries, in its order: those asked for, or else
// Wayland (in a Wayland session or beside a Wayland display) and X11.
std::vector<std::string> PlatformsToTry(const DisplaySettings& settings);

// Whether one of those plugins finds its display server: an X server accepts a
// connection, or a Wayland compositor's socket does. Plugins that need no
// server of that kind (offscreen, VNC, a framebuffer ...) count as found.
bool CanOpenDisplay(const DisplaySettings& settings);

// Whether the lines written on standard error before there is a window should
// be Russian: the locale of LC_ALL, else LC_MESSAGES, else LANG, is Russian.
bool RussianMessages();

// The one line said when there is no display to open the window on: it names
// the displays that were set and could not be opened, or else asks for one.
std::string NoDisplayMessage(const DisplaySettings& settings, bool russian);

// Checked before Qt starts, which would end the process with a core dump:
// when no display can be opened, writes the line to `errors` and returns false.
bool CheckDisplay(std::ostream& errors);

} // namespace kvarzel
