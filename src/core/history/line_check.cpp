// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/line_check.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace kvarzel {
namespace {

std::uint32_t Crc32(std::string_view text) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> values{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            values[n] = c;
        }
        return values;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : text)
        crc = table[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFU] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

} // namespace

std::string LineCheckText(std::string_view content) {
    char digits[LineCheckDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(Crc32(content)));
    return digits;
}

std::string WithLineCheck(std::string_view content) {
    std::string line(content);
    line += ',';
    line += LineCheckText(content);
    return line;
}

std::optional<std::string_view> CheckedContent(std::string_view line) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string_view::npos || line.size() - comma - 1 != LineCheckDigits)
        return std::nullopt;
    const std::string_view content = line.substr(0, comma);
    if (line.substr(comma + 1) != LineCheckText(content))
        return std::nullopt;
    return content;
}

} // namespace kvarzel
