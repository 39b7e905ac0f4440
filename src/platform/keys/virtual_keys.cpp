// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/virtual_keys.h"

#include "platform/keys/key_codes.h"
#include "platform/keys/key_positions.h"
#include "platform/keys/layout_virtual_keys.h"
#include "platform/keys/us_key_characters.h"
#include "platform/keys/x11_keyboard_layouts.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <array>
#include <utility>

namespace kvarzel {
namespace {

// Keys that carry no character: the same code whatever the layout.
std::uint16_t NamedKey(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<std::uint16_t>(VK_F1 + (qtKey - Qt::Key_F1));
    static constexpr std::array<std::pair<int, std::uint16_t>, 30> table{{
        {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backtab, VK_TAB},     {Qt::Key_Clear, VK_CLEAR},
        {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL},
        {Qt::Key_Alt, VK_MENU},        {Qt::Key_AltGr, VK_MENU},
        {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
        {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
        {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
        {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Print, VK_SNAPSHOT},  {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Help, VK_HELP},
        {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Menu, VK_APPS},
        {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    }};
    for (const auto& [key, code] : table)
        if (key == qtKey)
            return code;
    return 0;
}

// Number-pad keys with Num Lock on; with it off they arrive as Home, End ...
std::uint16_t KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<std::uint16_t>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return VK_DECIMAL;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        return NamedKey(qtKey);
    }
}

bool IsLatinLetter(int qtKey) {
    return qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z;
}

// Where the platform's scan code names the physical key: XKB keycodes on
// X11 and Wayland.
bool ScanCodesAreXkbKeycodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

std::uint16_t KeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::uint32_t xkbKeycode,
                      const LayoutVirtualKeys* layout) {
    if (modifiers.testFlag(Qt::KeypadModifier))
        return KeypadKey(qtKey);
    if (const std::uint16_t named = NamedKey(qtKey))
        return named;
    // A Latin layout decides its own letters (AZERTY's A is A), as on Windows.
    if (IsLatinLetter(qtKey))
        return static_cast<std::uint16_t>(qtKey);
    // And its punctuation, where the layout is known: AZERTY's comma key.
    if (const std::uint16_t typed = layout != nullptr ? layout->Key(xkbKeycode) : 0)
        return typed;
    if (const std::uint16_t physical = VirtualKeyFromXkbKeycode(xkbKeycode))
        return physical;
    if (qtKey > 0 && qtKey < 0x80)
        return UsCharacterKey(static_cast<char>(qtKey));
    return RussianCharacterKey(qtKey);
}

} // namespace

VirtualKeyPress VirtualKeyFromKey(int qtKey, Qt::KeyboardModifiers modifiers,
                                  std::uint32_t xkbKeycode, const LayoutVirtualKeys* layout) {
    return {KeyCode(qtKey, modifiers, xkbKeycode, layout), ShiftStateOf(modifiers)};
}

VirtualKeyPress VirtualKeyFromEvent(const QKeyEvent& event) {
    if (QGuiApplication::platformName() == QLatin1String("windows") && event.nativeVirtualKey())
        return {static_cast<std::uint16_t>(event.nativeVirtualKey()),
                ShiftStateOf(event.modifiers())};
    const std::uint32_t keycode = ScanCodesAreXkbKeycodes() ? event.nativeScanCode() : 0;
    X11KeyboardLayouts* layouts = keycode != 0 ? X11KeyboardLayouts::Instance() : nullptr;
    return VirtualKeyFromKey(event.key(), event.modifiers(), keycode,
                             layouts != nullptr ? layouts->LayoutOf(event) : nullptr);
}

} // namespace kvarzel
