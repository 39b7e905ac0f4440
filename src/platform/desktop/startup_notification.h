// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kvarzel {

// The end of a launch that the launcher announced on X11 (the desktop's
// startup notification, which shows a busy cursor and a task-bar entry until
// the program's window appears). A start that hands over to the running copy
// shows no window of its own, so it ends the launch itself.

// The message that ends the launch with this id: "remove: ID=<id>", the id
// quoted where it holds a space, a quote or a backslash.
std::string StartupRemoveMessage(std::string_view startupId);

// The message as the X11 client messages that carry it: its bytes and a
// closing zero, twenty bytes to a message, the last one padded with zeros.
std::vector<std::array<char, 20>> StartupMessagePieces(std::string_view message);

// Sends "remove" for the id to every client watching the root window of the
// X display `display` (DISPLAY when empty), and returns once the X server has
// taken it. Does nothing without an id or without an X server to reach.
void EndStartupNotification(std::string_view startupId, const std::string& display = {});

} // namespace kvarzel
