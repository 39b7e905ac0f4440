// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/x11_keyboard_layouts.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <memory>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>

namespace kvarzel {
namespace {

// The XKB event codes, relative to the extension's first event, that tell
// of a changed keymap.
constexpr std::uint8_t XkbNewKeyboardNotify = 0;
constexpr std::uint8_t XkbMapNotify = 1;

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The keyboard group of a core event's state: bits 13 and 14.
std::uint32_t GroupOfState(quint32 state) {
    return (state >> 13) & 3;
}

} // namespace

X11KeyboardLayouts::X11KeyboardLayouts(void* connection, std::int32_t deviceId,
                                       std::uint8_t firstXkbEvent)
    : connection_(connection), deviceId_(deviceId), firstXkbEvent_(firstXkbEvent) {}

X11KeyboardLayouts* X11KeyboardLayouts::Instance() {
    static X11KeyboardLayouts* instance = []() -> X11KeyboardLayouts* {
        xcb_connection_t* connection = X11Connection();
        std::uint8_t firstEvent = 0;
        if (connection == nullptr ||
            !xkb_x11_setup_xkb_extension(
                connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &firstEvent, nullptr))
            return nullptr;
        const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
        if (device < 0)
            return nullptr;
        // Lives as long as the application's event dispatcher may call it.
        auto* layouts = new X11KeyboardLayouts(connection, device, firstEvent);
        qGuiApp->installNativeEventFilter(layouts);
        return layouts;
    }();
    return instance;
}

const LayoutVirtualKeys* X11KeyboardLayouts::LayoutOf(const QKeyEvent& event) {
    if (stale_)
        Read();
    if (layouts_.empty())
        return nullptr;
    return &layouts_[GroupOfState(event.nativeModifiers()) % layouts_.size()];
}

bool X11KeyboardLayouts::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // Every XKB event carries its own type in the byte after the response type.
    if ((event->response_type & 0x7f) == firstXkbEvent_) {
        const std::uint8_t xkbType = event->pad0;
        if (xkbType == XkbNewKeyboardNotify || xkbType == XkbMapNotify)
            stale_ = true;
    }
    return false;
}

void X11KeyboardLayouts::Read() {
    stale_ = false;
    layouts_.clear();
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), xkb_context_unref);
    if (!context)
        return;
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_x11_keymap_new_from_device(context.get(), static_cast<xcb_connection_t*>(connection_),
                                       deviceId_, XKB_KEYMAP_COMPILE_NO_FLAGS),
        xkb_keymap_unref);
    if (!keymap)
        return;
    for (xkb_layout_index_t layout = 0; layout < xkb_keymap_num_layouts(keymap.get()); ++layout)
        layouts_.push_back(LayoutVirtualKeys::FromKeymap(*keymap, layout));
}

} // namespace kvarzel
