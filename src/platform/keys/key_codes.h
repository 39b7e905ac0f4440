// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kvarzel {

// Windows virtual-key codes: the program's key handlers and the stored hot
// keys speak these numbers on every platform.
constexpr std::uint16_t VK_BACK = 8;
constexpr std::uint16_t VK_TAB = 9;
constexpr std::uint16_t VK_CLEAR = 12;
constexpr std::uint16_t VK_RETURN = 13;
constexpr std::uint16_t VK_SHIFT = 16;
constexpr std::uint16_t VK_CONTROL = 17;
constexpr std::uint16_t VK_MENU = 18;
constexpr std::uint16_t VK_PAUSE = 19;
constexpr std::uint16_t VK_CAPITAL = 20;
constexpr std::uint16_t VK_ESCAPE = 27;
constexpr std::uint16_t VK_SPACE = 32;
constexpr std::uint16_t VK_PRIOR = 33;
constexpr std::uint16_t VK_NEXT = 34;
constexpr std::uint16_t VK_END = 35;
constexpr std::uint16_t VK_HOME = 36;
constexpr std::uint16_t VK_LEFT = 37;
constexpr std::uint16_t VK_UP = 38;
constexpr std::uint16_t VK_RIGHT = 39;
constexpr std::uint16_t VK_DOWN = 40;
constexpr std::uint16_t VK_SNAPSHOT = 44;
constexpr std::uint16_t VK_INSERT = 45;
constexpr std::uint16_t VK_DELETE = 46;
constexpr std::uint16_t VK_HELP = 47;

// Digits and letters are their ASCII upper-case codes.
constexpr std::uint16_t VK_0 = '0';
constexpr std::uint16_t VK_1 = '1';
constexpr std::uint16_t VK_2 = '2';
constexpr std::uint16_t VK_3 = '3';
constexpr std::uint16_t VK_4 = '4';
constexpr std::uint16_t VK_5 = '5';
constexpr std::uint16_t VK_6 = '6';
constexpr std::uint16_t VK_7 = '7';
constexpr std::uint16_t VK_8 = '8';
constexpr std::uint16_t VK_9 = '9';
constexpr std::uint16_t VK_A = 'A';
constexpr std::uint16_t VK_B = 'B';
constexpr std::uint16_t VK_C = 'C';
constexpr std::uint16_t VK_D = 'D';
constexpr std::uint16_t VK_E = 'E';
constexpr std::uint16_t VK_F = 'F';
constexpr std::uint16_t VK_G = 'G';
constexpr std::uint16_t VK_H = 'H';
constexpr std::uint16_t VK_I = 'I';
constexpr std::uint16_t VK_J = 'J';
constexpr std::uint16_t VK_K = 'K';
constexpr std::uint16_t VK_L = 'L';
constexpr std::uint16_t VK_M = 'M';
constexpr std::uint16_t VK_N = 'N';
constexpr std::uint16_t VK_O = 'O';
constexpr std::uint16_t VK_P = 'P';
constexpr std::uint16_t VK_Q = 'Q';
constexpr std::uint16_t VK_R = 'R';
constexpr std::uint16_t VK_S = 'S';
constexpr std::uint16_t VK_T = 'T';
constexpr std::uint16_t VK_U = 'U';
constexpr std::uint16_t VK_V = 'V';
constexpr std::uint16_t VK_W = 'W';
constexpr std::uint16_t VK_X = 'X';
constexpr std::uint16_t VK_Y = 'Y';
constexpr std::uint16_t VK_Z = 'Z';

constexpr std::uint16_t VK_LWIN = 91;
constexpr std::uint16_t VK_RWIN = 92;
constexpr std::uint16_t VK_APPS = 93;
constexpr std::uint16_t VK_NUMPAD0 = 96;
constexpr std::uint16_t VK_NUMPAD9 = 105;
constexpr std::uint16_t VK_MULTIPLY = 106;
constexpr std::uint16_t VK_ADD = 107;
constexpr std::uint16_t VK_SEPARATOR = 108;
constexpr std::uint16_t VK_SUBTRACT = 109;
constexpr std::uint16_t VK_DECIMAL = 110;
constexpr std::uint16_t VK_DIVIDE = 111;
constexpr std::uint16_t VK_F1 = 112;
constexpr std::uint16_t VK_F2 = 113;
constexpr std::uint16_t VK_F3 = 114;
constexpr std::uint16_t VK_F4 = 115;
constexpr std::uint16_t VK_F5 = 116;
constexpr std::uint16_t VK_F6 = 117;
constexpr std::uint16_t VK_F7 = 118;
constexpr std::uint16_t VK_F8 = 119;
constexpr std::uint16_t VK_F9 = 120;
constexpr std::uint16_t VK_F10 = 121;
constexpr std::uint16_t VK_F11 = 122;
constexpr std::uint16_t VK_F12 = 123;
constexpr std::uint16_t VK_F24 = 135;
constexpr std::uint16_t VK_NUMLOCK = 144;
constexpr std::uint16_t VK_SCROLL = 145;

// The OEM keys, named by what they carry on a US keyboard.
constexpr std::uint16_t VK_OEM_1 = 186;      // ; :
constexpr std::uint16_t VK_OEM_PLUS = 187;   // = +
constexpr std::uint16_t VK_OEM_COMMA = 188;  // , <
constexpr std::uint16_t VK_OEM_MINUS = 189;  // - _
constexpr std::uint16_t VK_OEM_PERIOD = 190; // . >
constexpr std::uint16_t VK_OEM_2 = 191;      // / ?
constexpr std::uint16_t VK_OEM_3 = 192;      // ` ~
constexpr std::uint16_t VK_OEM_4 = 219;      // [ {
constexpr std::uint16_t VK_OEM_5 = 220;      // \ |
constexpr std::uint16_t VK_OEM_6 = 221;      // ] }
constexpr std::uint16_t VK_OEM_7 = 222;      // ' "
constexpr std::uint16_t VK_OEM_102 = 226;    // the extra key beside left Shift

} // namespace kvarzel
