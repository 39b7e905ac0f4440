// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keys/layout_virtual_keys.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <vector>

class QKeyEvent;

namespace kvarzel {

// The layouts of the X server's keyboard, read when first needed and read
// again after the server reports a new keymap (setxkbmap, a new keyboard).
class X11KeyboardLayouts : public QAbstractNativeEventFilter {
public:
    // Null when the application does not run on X11 or the server has no
    // keyboard extension.
    static X11KeyboardLayouts* Instance();

    // The layout a key event was typed in; null when it cannot be read.
    const LayoutVirtualKeys* LayoutOf(const QKeyEvent& event);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11KeyboardLayouts(void* connection, std::int32_t deviceId, std::uint8_t firstXkbEvent);
    void Read();

    void* connection_; // xcb_connection_t
    std::int32_t deviceId_;
    std::uint8_t firstXkbEvent_;
    bool stale_ = true;
    std::vector<LayoutVirtualKeys> layouts_;
};

} // namespace kvarzel
