// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hand_over_request.h"

#include <algorithm>
#include <charconv>

namespace kvarzel {
namespace {

constexpr std::string_view RequestWord = "raise";
constexpr std::string_view TokenKey = "xdg-activation=";
constexpr std::string_view StartupKey = "startup-id=";

bool IsTokenText(std::string_view text) {
    return !text.empty() && text.size() <= MaxHandOverToken &&
           std::ranges::all_of(text, [](char c) { return c > ' ' && c < 0x7f; });
}

void AppendField(std::string& line, std::string_view key, std::string_view value) {
    if (IsTokenText(value))
        line.append(" ").append(key).append(value);
}

// Takes the field " key=value" off the front of `rest` when it is there. False
// only for a field that is there but whose value the writer would not write.
bool TakeField(std::string_view& rest, std::string_view key, std::string& value) {
    if (!rest.starts_with(' ') || !rest.substr(1).starts_with(key))
        return true;
    std::string_view text = rest.substr(1 + key.size());
    text = text.substr(0, text.find(' '));
    if (!IsTokenText(text))
        return false;
    value = text;
    rest.remove_prefix(1 + key.size() + text.size());
    return true;
}

} // namespace

std::string EncodeHandOverRequest(const HandOverRequest& request) {
    std::string line(RequestWord);
    AppendField(line, TokenKey, request.ActivationToken);
    AppendField(line, StartupKey, request.StartupId);
    return line + '\n';
}

// Exactly the writer's form: the fields in its order, each at most once, with
// a value it would write, and nothing else.
std::optional<HandOverRequest> ParseHandOverRequest(std::string_view line) {
    if (line.size() > MaxHandOverRequest || !line.ends_with('\n') || !line.starts_with(RequestWord))
        return std::nullopt;
    std::string_view rest = line.substr(RequestWord.size(), line.size() - RequestWord.size() - 1);
    HandOverRequest request;
    if (!TakeField(rest, TokenKey, request.ActivationToken) ||
        !TakeField(rest, StartupKey, request.StartupId) || !rest.empty())
        return std::nullopt;
    return request;
}

std::optional<std::uint32_t> StartupIdTime(std::string_view startupId) {
    const std::size_t mark = startupId.rfind("_TIME");
    if (mark == std::string_view::npos)
        return std::nullopt;
    const std::string_view digits = startupId.substr(mark + 5);
    std::uint32_t time = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), time);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    return time;
}

} // namespace kvarzel
