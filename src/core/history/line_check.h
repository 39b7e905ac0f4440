// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvarzel {

// The check a line of the history or of a journal ends in: ",<8 hex digits>",
// the CRC-32 (the polynomial of zip and PNG) of all that comes before it, so
// that a line cut anywhere, even inside its last number, is never read as a
// whole one.
inline constexpr std::size_t LineCheckDigits = 8;

// The 8 hex digits of the content's check.
std::string LineCheckText(std::string_view content);
// The content with its check added: "<content>,<check>".
std::string WithLineCheck(std::string_view content);
// The content of a line that ends in its own check (the line without its
// line end), or nothing.
std::optional<std::string_view> CheckedContent(std::string_view line);

} // namespace kvarzel
