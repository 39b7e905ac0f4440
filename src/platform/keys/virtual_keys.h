// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"

#include <Qt>
#include <cstdint>

class QKeyEvent;

namespace kvarzel {

class LayoutVirtualKeys;

struct VirtualKeyPress {
    std::uint16_t Key = 0; // 0 when the key has no virtual-key code
    ShiftState Shift;
};

// The virtual-key code of a key event and the Shift, Ctrl and Alt state.
// On a Latin layout a key is known by what it types (AZERTY's comma key is
// 188); digits and OEM keys typed on a non-Latin layout are taken by their
// physical place, so the key carrying Б is the comma key (188).
VirtualKeyPress VirtualKeyFromEvent(const QKeyEvent& event);

// The same from the parts of an event: Qt's key and modifiers, the XKB
// keycode of the physical key (evdev code + 8, as X11 and Wayland report
// it) or 0 where the platform gives none, and the active layout's keys
// where they are known (X11); without them keys go by their place.
VirtualKeyPress VirtualKeyFromKey(int qtKey, Qt::KeyboardModifiers modifiers,
                                  std::uint32_t xkbKeycode,
                                  const LayoutVirtualKeys* layout = nullptr);

} // namespace kvarzel
