// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/startup_notification.h"

#include "platform/files/home_folder.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace kvarzel {
namespace {

struct XcbConnectionClose {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using XcbConnection = std::unique_ptr<xcb_connection_t, XcbConnectionClose>;

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()),
                                        name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

xcb_screen_t* ScreenOf(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screens.rem > 0; --number, xcb_screen_next(&screens))
        if (number == 0)
            return screens.data;
    return nullptr;
}

// Each piece is a client message sent to the root window for the clients that
// watch its property changes, from a window of the sender's own: the first of
// type _NET_STARTUP_INFO_BEGIN, the rest _NET_STARTUP_INFO.
void SendPieces(xcb_connection_t* connection, xcb_window_t root, std::string_view message) {
    const xcb_atom_t begin = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
    const xcb_window_t sender = xcb_generate_id(connection);
    const std::uint32_t overrideRedirect = 1;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
    bool first = true;
    for (const std::array<char, 20>& piece : StartupMessagePieces(message)) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = sender;
        event.type = std::exchange(first, false) ? begin : more;
        std::memcpy(event.data.data8, piece.data(), piece.size());
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_destroy_window(connection, sender);
}

} // namespace

std::string StartupRemoveMessage(std::string_view startupId) {
    const bool plain = startupId.find_first_of(" \"\\") == std::string_view::npos;
    std::string message = "remove: ID=";
    if (plain)
        return message.append(startupId);
    message += '"';
    for (const char c : startupId) {
        if (c == '"' || c == '\\')
            message += '\\';
        message += c;
    }
    return message + '"';
}

std::vector<std::array<char, 20>> StartupMessagePieces(std::string_view message) {
    std::vector<std::array<char, 20>> pieces((message.size() + 1 + 19) / 20);
    for (std::size_t at = 0; at < message.size(); ++at)
        pieces[at / 20][at % 20] = message[at];
    return pieces;
}

void EndStartupNotification(std::string_view startupId, const std::string& display) {
    const std::string name = display.empty() ? EnvironmentText("DISPLAY") : display;
    if (startupId.empty() || name.empty())
        return;
    int screenNumber = 0;
    const XcbConnection connection(xcb_connect(name.c_str(), &screenNumber));
    if (xcb_connection_has_error(connection.get()) != 0)
        return;
    const xcb_screen_t* screen = ScreenOf(connection.get(), screenNumber);
    if (screen == nullptr)
        return;
    SendPieces(connection.get(), screen->root, StartupRemoveMessage(startupId));
    // A round trip: the server has handled every message before this start ends.
    std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()),
                                        nullptr));
}

} // namespace kvarzel
