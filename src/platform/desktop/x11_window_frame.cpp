// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/x11_window_frame.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <vector>
#include <xcb/xcb.h>

namespace kvarzel {
namespace {

using Clock = std::chrono::steady_clock;

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> Owned(Reply* reply) {
    return {reply, &std::free};
}

xcb_connection_t* QtConnection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
    const auto reply =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A property made of 32-bit values; empty when the window does not have it.
std::vector<std::uint32_t> Values(xcb_connection_t* connection, xcb_window_t window,
                                  xcb_atom_t property, xcb_atom_t type) {
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// A property of 8-bit text, such as a UTF8_STRING; empty when the window does not have it.
QByteArray TextOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
    const auto reply = Owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
    if (!reply || reply->format != 8)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            xcb_get_property_value_length(reply.get())};
}

xcb_window_t DefaultRoot(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// _NET_FRAME_EXTENTS: left, right, top, bottom.
std::optional<QMargins> ExtentsOf(xcb_connection_t* connection, xcb_window_t window) {
    const auto values =
        Values(connection, window, Atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (values.size() != 4)
        return std::nullopt;
    return QMargins(static_cast<int>(values[0]), static_cast<int>(values[2]),
                    static_cast<int>(values[1]), static_cast<int>(values[3]));
}

bool ManagerOffers(xcb_connection_t* connection, xcb_window_t root, const char* feature) {
    const auto supported =
        Values(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::ranges::find(supported, Atom(connection, feature)) != supported.end();
}

void SendToManager(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                   xcb_atom_t type, const std::array<std::uint32_t, 5>& data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

// Waits for the next event of the connection until the deadline.
std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> NextEvent(xcb_connection_t* connection,
                                                                     Clock::time_point deadline) {
    for (;;) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection))
            return {event, &std::free};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (left.count() <= 0 || xcb_connection_has_error(connection) != 0 ||
            poll(&descriptor, 1, static_cast<int>(left.count())) <= 0)
            return {nullptr, &std::free};
    }
}

bool IsExtentsChange(const xcb_generic_event_t& event, xcb_window_t window, xcb_atom_t extents) {
    if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    return change.window == window && change.atom == extents;
}

using OwnConnection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

OwnConnection ConnectOwn() {
    return {xcb_connect(nullptr, nullptr), &xcb_disconnect};
}

// The server's time now, read from the change of a property of the window: a
// zero-length append that changes nothing else.
std::uint32_t ServerTime(xcb_connection_t* connection, xcb_window_t window) {
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t marker = Atom(connection, "_KVARZEL_TIME");
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, marker, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(connection);
    const auto deadline = Clock::now() + std::chrono::milliseconds{500};
    while (const auto event = NextEvent(connection, deadline)) {
        const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(*event);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && change.window == window &&
            change.atom == marker)
            return change.time;
    }
    return XCB_CURRENT_TIME;
}

} // namespace

bool RunsOnX11() {
    return QtConnection() != nullptr;
}

// On a connection of its own, so that the answer can be awaited here without
// taking events from the toolkit.
std::optional<QMargins> RequestX11FrameExtents(WId window, std::chrono::milliseconds patience) {
    if (!RunsOnX11())
        return std::nullopt;
    const OwnConnection own = ConnectOwn();
    if (xcb_connection_has_error(own.get()) != 0)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window);
    const xcb_window_t root = RootOf(own.get(), id);
    if (root == XCB_WINDOW_NONE || !ManagerOffers(own.get(), root, "_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(own.get(), id, XCB_CW_EVENT_MASK, &mask);
    if (auto known = ExtentsOf(own.get(), id))
        return known;
    const xcb_atom_t extents = Atom(own.get(), "_NET_FRAME_EXTENTS");
    SendToManager(own.get(), root, id, Atom(own.get(), "_NET_REQUEST_FRAME_EXTENTS"), {});
    const auto deadline = Clock::now() + patience;
    while (const auto event = NextEvent(own.get(), deadline)) {
        if (IsExtentsChange(*event, id, extents))
            return ExtentsOf(own.get(), id);
    }
    return std::nullopt;
}

std::optional<QMargins> X11FrameExtents(WId window) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return std::nullopt;
    return ExtentsOf(connection, static_cast<xcb_window_t>(window));
}

std::optional<QRect> X11ClientRect(WId window) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window);
    const auto geometry =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    if (!geometry)
        return std::nullopt;
    const auto onRoot = Owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, geometry->root, 0, 0), nullptr));
    if (!onRoot)
        return std::nullopt;
    return QRect(onRoot->dst_x, onRoot->dst_y, geometry->width, geometry->height);
}

bool X11PointerPressed() {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return false;
    const xcb_window_t root = DefaultRoot(connection);
    const auto pointer =
        Owned(xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr));
    constexpr std::uint16_t AnyButton = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                        XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
    return pointer && (pointer->mask & AnyButton) != 0;
}

bool X11WindowShown(WId window) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return false;
    const auto id = static_cast<xcb_window_t>(window);
    const auto attributes = Owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool X11WindowManaged(WId window) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return false;
    const xcb_atom_t state = Atom(connection, "WM_STATE");
    return !Values(connection, static_cast<xcb_window_t>(window), state, state).empty();
}

void RequestX11Map(WId window) {
    if (xcb_connection_t* connection = QtConnection()) {
        xcb_map_window(connection, static_cast<xcb_window_t>(window));
        xcb_flush(connection);
    }
}

QString X11ManagerName() {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return {};
    const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto manager = Values(connection, DefaultRoot(connection), check, XCB_ATOM_WINDOW);
    if (manager.size() != 1)
        return {};
    return QString::fromUtf8(TextOf(connection, manager.front(), Atom(connection, "_NET_WM_NAME")));
}

void SetX11WindowTypes(WId window, const std::vector<const char*>& types) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return;
    std::vector<xcb_atom_t> atoms;
    for (const char* type : types)
        atoms.push_back(Atom(connection, type));
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
    xcb_flush(connection);
}

void MoveX11Window(WId window, const QPoint& clientPlace, bool framed) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return;
    const auto id = static_cast<xcb_window_t>(window);
    if (!framed) {
        const std::array<std::int32_t, 2> place{clientPlace.x(), clientPlace.y()};
        xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y,
                             place.data());
        xcb_flush(connection);
        return;
    }
    // Static gravity: the place is the client area's, whatever the frame.
    constexpr std::uint32_t StaticGravity = 10;
    constexpr std::uint32_t XAndY = (1U << 8) | (1U << 9);
    constexpr std::uint32_t FromApplication = 1U << 12;
    SendToManager(
        connection, RootOf(connection, id), id, Atom(connection, "_NET_MOVERESIZE_WINDOW"),
        {StaticGravity | XAndY | FromApplication, static_cast<std::uint32_t>(clientPlace.x()),
         static_cast<std::uint32_t>(clientPlace.y()), 0, 0});
}

// As a pager or a task bar asks (source 2): on the user's behalf, which
// managers let pass where an application's own request may only make the
// window ask for attention.
void ActivateX11Window(WId window, std::uint32_t userTime) {
    if (!RunsOnX11())
        return;
    const OwnConnection own = ConnectOwn();
    if (xcb_connection_has_error(own.get()) != 0)
        return;
    const auto id = static_cast<xcb_window_t>(window);
    const xcb_window_t root = RootOf(own.get(), id);
    if (root == XCB_WINDOW_NONE)
        return;
    constexpr std::uint32_t FromPager = 2;
    const std::uint32_t time = userTime != 0 ? userTime : ServerTime(own.get(), id);
    SendToManager(own.get(), root, id, Atom(own.get(), "_NET_ACTIVE_WINDOW"),
                  {FromPager, time, XCB_WINDOW_NONE, 0, 0});
    // A connection closed right after its last request may lose it: one
    // answered request first makes sure the server has taken the message.
    Owned(xcb_get_input_focus_reply(own.get(), xcb_get_input_focus(own.get()), nullptr));
}

X11WindowChanges::X11WindowChanges(WId window, std::function<void()> changed)
    : window_(window), frameExtentsAtom_(XCB_ATOM_NONE), changed_(std::move(changed)) {
    if (xcb_connection_t* connection = QtConnection()) {
        frameExtentsAtom_ = Atom(connection, "_NET_FRAME_EXTENTS");
        qGuiApp->installNativeEventFilter(this);
    }
}

X11WindowChanges::~X11WindowChanges() {
    if (qGuiApp != nullptr)
        qGuiApp->removeNativeEventFilter(this);
}

bool X11WindowChanges::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto id = static_cast<xcb_window_t>(window_);
    bool ours = false;
    switch (event->response_type & 0x7f) {
    case XCB_CONFIGURE_NOTIFY:
        ours = reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window == id;
        break;
    case XCB_MAP_NOTIFY:
        ours = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == id;
        break;
    case XCB_REPARENT_NOTIFY:
        ours = reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window == id;
        break;
    case XCB_PROPERTY_NOTIFY:
        ours = IsExtentsChange(*event, id, frameExtentsAtom_);
        break;
    default:
        break;
    }
    if (ours)
        changed_();
    return false;
}

} // namespace kvarzel
