// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/display_check.h"

#include "platform/files/home_folder.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace kvarzel {
namespace {

bool XServerAnswers(const std::string& display) {
    if (display.empty())
        return false;
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

bool WaylandSocketAnswers(const DisplaySettings& settings) {
    const std::string name = settings.WaylandDisplay.empty() ? "wayland-0" : settings.WaylandDisplay;
    if (name.front() != '/' && settings.RuntimeFolder.empty())
        return false;
    const std::string path = name.front() == '/' ? name : settings.RuntimeFolder + "/" + name;
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const bool answers =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(socket);
    return answers;
}

bool PlatformFindsServer(std::string_view platform, const DisplaySettings& settings) {
    const std::string_view plugin = platform.substr(0, platform.find(':'));
    if (plugin == "xcb")
        return XServerAnswers(settings.XDisplay);
    if (plugin.starts_with("wayland"))
        return WaylandSocketAnswers(settings);
    return true;
}

} // namespace

DisplaySettings ReadDisplaySettings() {
    DisplaySettings settings;
    settings.Platform = EnvironmentText("QT_QPA_PLATFORM");
    settings.XDisplay = EnvironmentText("DISPLAY");
    settings.WaylandDisplay = EnvironmentText("WAYLAND_DISPLAY");
    settings.RuntimeFolder = EnvironmentText("XDG_RUNTIME_DIR");
    settings.WaylandSession = EnvironmentText("XDG_SESSION_TYPE") == "wayland";
    return settings;
}

std::vector<std::string> PlatformsToTry(const DisplaySettings& settings) {
    std::vector<std::string> platforms;
    if (settings.Platform.empty()) {
        if (settings.WaylandSession || !settings.WaylandDisplay.empty())
            platforms.emplace_back("wayland");
        platforms.emplace_back("xcb");
        return platforms;
    }
    std::string_view rest(settings.Platform);
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        if (const std::string_view name = rest.substr(0, end); !name.empty())
            platforms.emplace_back(name);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return platforms;
}

bool CanOpenDisplay(const DisplaySettings& settings) {
    for (const std::string& platform : PlatformsToTry(settings))
        if (PlatformFindsServer(platform, settings))
            return true;
    return false;
}

bool RussianMessages() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const std::string locale = EnvironmentText(variable); !locale.empty())
            return locale.starts_with("ru");
    return false;
}

namespace {

// The displays named in the environment for the platforms tried, in their order.
std::string DisplaysTried(const DisplaySettings& settings, std::string_view either) {
    std::string names;
    for (const std::string& platform : PlatformsToTry(settings)) {
        const std::string_view plugin = std::string_view(platform).substr(0, platform.find(':'));
        const std::string& name = plugin == "xcb"                 ? settings.XDisplay
                                  : plugin.starts_with("wayland") ? settings.WaylandDisplay
                                                                  : std::string();
        if (!name.empty() && names.find(name) == std::string::npos)
            names.append(names.empty() ? "" : either).append(name);
    }
    return names;
}

} // namespace

std::string NoDisplayMessage(const DisplaySettings& settings, bool russian) {
    const std::string tried = DisplaysTried(settings, russian ? " или " : " or ");
    if (!tried.empty())
        return (russian ? "kvarzel: не удаётся открыть дисплей " : "kvarzel: cannot open display ") +
               tried;
    return russian ? "kvarzel: нет дисплея, на котором открыть окно (задайте DISPLAY или "
                     "WAYLAND_DISPLAY)"
                   : "kvarzel: no display to open the window on (set DISPLAY or WAYLAND_DISPLAY)";
}

bool CheckDisplay(std::ostream& errors) {
    const DisplaySettings settings = ReadDisplaySettings();
    if (CanOpenDisplay(settings))
        return true;
    errors << NoDisplayMessage(settings, RussianMessages()) << '\n';
    return false;
}

} // namespace kvarzel
