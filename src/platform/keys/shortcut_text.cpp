// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys/shortcut_text.h"

#include "platform/keys/key_codes.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace kvarzel {
namespace {

// Keys are named as their caps read on a Russian keyboard; those without a
// printed name are named in Russian, and the arrows by their arrow.
constexpr std::array<std::pair<std::uint16_t, const char*>, 45> keyNames{{
    {VK_BACK, "Backspace"},
    {VK_TAB, "Tab"},
    {VK_CLEAR, "Clear"},
    {VK_RETURN, "Enter"},
    {VK_SHIFT, "Shift"},
    {VK_CONTROL, "Ctrl"},
    {VK_MENU, "Alt"},
    {VK_PAUSE, "Pause"},
    {VK_CAPITAL, "Caps Lock"},
    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Пробел"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "←"},
    {VK_UP, "↑"},
    {VK_RIGHT, "→"},
    {VK_DOWN, "↓"},
    {VK_SNAPSHOT, "Print Screen"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
    {VK_HELP, "Help"},
    {VK_LWIN, "Win"},
    {VK_RWIN, "Right Win"},
    {VK_APPS, "Меню"},
    {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},
    {VK_SEPARATOR, "Num Separator"},
    {VK_SUBTRACT, "Num -"},
    {VK_DECIMAL, "Num ."},
    {VK_DIVIDE, "Num /"},
    {VK_NUMLOCK, "Num Lock"},
    {VK_SCROLL, "Scroll Lock"},
    {VK_OEM_1, ";"},
    {VK_OEM_PLUS, "="},
    {VK_OEM_COMMA, ","},
    {VK_OEM_MINUS, "-"},
    {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},
    {VK_OEM_3, "`"},
    {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},
    {VK_OEM_6, "]"},
    {VK_OEM_7, "'"},
}};

bool IsDigitOrLetter(std::uint16_t key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

QString KeyName(std::uint16_t key) {
    if (key == 0)
        return {};
    if (IsDigitOrLetter(key))
        return QString(QChar(key));
    if (key >= VK_F1 && key <= VK_F24)
        return QStringLiteral("F%1").arg(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return QStringLiteral("Num %1").arg(key - VK_NUMPAD0);
    for (const auto& [code, name] : keyNames)
        if (code == key)
            return QString::fromUtf8(name);
    // Keys without a name keep their number, so that every value survives
    // the way to text and back.
    return QStringLiteral("#%1").arg(key);
}

// The key named by a text made by KeyName, letter case aside; 0 if none.
std::uint16_t KeyFromName(const QString& name) {
    if (name.isEmpty())
        return 0;
    for (std::uint16_t key = 1; key <= 255; ++key)
        if (KeyName(key).compare(name, Qt::CaseInsensitive) == 0)
            return key;
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint number = name.mid(1).toUInt(&ok);
        if (ok && number > 0 && number <= scKeyMask)
            return static_cast<std::uint16_t>(number);
    }
    return 0;
}

} // namespace

QString ShortCutToText(TShortCut shortCut) {
    if (shortCut == 0)
        return {};
    const DecodedShortCut decoded = ShortCutToKey(shortCut);
    QString text;
    if (decoded.Shift.Ctrl)
        text += QLatin1String("Ctrl+");
    if (decoded.Shift.Alt)
        text += QLatin1String("Alt+");
    if (decoded.Shift.Shift)
        text += QLatin1String("Shift+");
    return text + KeyName(decoded.Key);
}

TShortCut TextToShortCut(const QString& text) {
    static const QRegularExpression modifierPrefix(QStringLiteral("^\\s*(ctrl|alt|shift)\\s*\\+"),
                                                   QRegularExpression::CaseInsensitiveOption);
    QString rest = text;
    ShiftState shift;
    for (auto match = modifierPrefix.match(rest); match.hasMatch();
         match = modifierPrefix.match(rest)) {
        const QString modifier = match.captured(1).toLower();
        shift.Ctrl |= modifier == QLatin1String("ctrl");
        shift.Alt |= modifier == QLatin1String("alt");
        shift.Shift |= modifier == QLatin1String("shift");
        rest = rest.mid(match.capturedLength());
    }
    rest = rest.trimmed();
    const std::uint16_t key = KeyFromName(rest);
    if (key == 0 && !rest.isEmpty())
        return 0;
    if (key == 0 && !(shift.Ctrl || shift.Alt || shift.Shift))
        return 0;
    return ShortCut(key, shift);
}

} // namespace kvarzel
