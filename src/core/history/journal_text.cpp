// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/journal_text.h"

#include "core/answer_mix.h"
#include "core/history/history_csv.h"
#include "core/history/line_check.h"

#include <optional>

namespace kvarzel {
namespace {

constexpr std::string_view HeadingTag = "kvarzel_journal,";
constexpr std::string_view HeadingVersion = "1,";
constexpr std::string_view HexDigits = "0123456789ABCDEF";

bool KeptAsItIs(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/._-~").find(c) != std::string_view::npos;
}

std::string Escaped(std::string_view path) {
    std::string text;
    for (const char c : path) {
        if (KeptAsItIs(c)) {
            text += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        text += '%';
        text += HexDigits[byte >> 4];
        text += HexDigits[byte & 0xF];
    }
    return text;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string path;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (!KeptAsItIs(text[i]))
                return std::nullopt;
            path += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const std::size_t high = HexDigits.find(text[i + 1]);
        const std::size_t low = HexDigits.find(text[i + 2]);
        if (high == std::string_view::npos || low == std::string_view::npos)
            return std::nullopt;
        path += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return path;
}

} // namespace

std::string JournalHeading(std::string_view history) {
    std::string content(HeadingTag);
    content += HeadingVersion;
    content += Escaped(history);
    return WithLineCheck(content) + "\n";
}

ReadHeading ReadJournalHeading(std::string_view head) {
    if (!head.starts_with(HeadingTag))
        return {};
    const std::size_t end = head.find('\n');
    if (end == std::string_view::npos)
        return {}; // cut short
    const std::optional<std::string_view> content = CheckedContent(head.substr(0, end));
    if (!content)
        return {};
    std::string_view fields = content->substr(HeadingTag.size());
    if (!fields.starts_with(HeadingVersion))
        return {ReadHeading::Kind::Foreign, {}};
    fields.remove_prefix(HeadingVersion.size());
    std::optional<std::string> history = Unescaped(fields);
    if (!history || history->empty() || history->front() != '/')
        return {ReadHeading::Kind::Foreign, {}};
    return {ReadHeading::Kind::Named, std::move(*history)};
}

std::size_t JournalRoom(std::size_t headingLength, int answers) {
    const auto lines = static_cast<std::size_t>(answers > 0 ? answers : 0) + 1;
    return headingLength + lines * (LongestHistoryLine() + 1);
}

std::size_t MaxJournalSize() {
    return JournalRoom(LongestJournalHeading, MaxTrainingPeas);
}

} // namespace kvarzel
