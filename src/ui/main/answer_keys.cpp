// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/answer_keys.h"

#include "platform/keys/key_codes.h"

namespace kvarzel {
namespace {

// A hot key without a key (0, or modifiers alone) is no hot key: it must not
// match the keys that have no virtual-key code.
bool KeyMatches(std::uint16_t key, ShiftState shift, TShortCut hotKey) {
    const DecodedShortCut decoded = ShortCutToKey(hotKey);
    return decoded.Key != 0 && decoded.Key == key && decoded.Shift == shift;
}

} // namespace

AnswerKeyMatch MatchAnswerKey(std::uint16_t key, ShiftState shift, TShortCut keyWhite,
                              TShortCut keyBlack) {
    switch (key) {
    case VK_B:
    case VK_X:
        return {Answer::Black, true};
    case VK_W:
    case VK_OEM_COMMA:
        return {Answer::White, true};
    default:
        break;
    }
    if (KeyMatches(key, shift, keyBlack))
        return {Answer::Black, false};
    if (KeyMatches(key, shift, keyWhite))
        return {Answer::White, false};
    return {};
}

TShortCut ActingHotKey(Answer answer, TShortCut keyWhite, TShortCut keyBlack) {
    const TShortCut hotKey = answer == Answer::White ? keyWhite : keyBlack;
    const DecodedShortCut decoded = ShortCutToKey(hotKey);
    const AnswerKeyMatch match = MatchAnswerKey(decoded.Key, decoded.Shift, keyWhite, keyBlack);
    return !match.Fixed && match.Given == answer ? hotKey : 0;
}

} // namespace kvarzel
