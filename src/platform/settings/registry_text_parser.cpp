// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/registry_text.h"

#include "platform/settings/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace kvarzel {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";
constexpr std::string_view UnicodeHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view AnsiHeader = "REGEDIT4";
constexpr std::array<std::string_view, 5> RootNames = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                                       "HKEY_CLASSES_ROOT", "HKEY_USERS",
                                                       "HKEY_CURRENT_CONFIG"};

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperAscii(x) == UpperAscii(y);
           });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string DecodedText(std::string_view bytes) {
    if (bytes.starts_with(Utf16LeBom))
        return Utf16LeToUtf8(bytes.substr(Utf16LeBom.size()));
    if (bytes.starts_with(Utf8Bom))
        bytes.remove_prefix(Utf8Bom.size());
    return std::string(bytes);
}

// Physical lines; LF ends a line and a CR before it is dropped.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (finished_)
            return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        if (end == std::string_view::npos)
            finished_ = true;
        else
            rest_.remove_prefix(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (finished_ && !Trim(line).empty())
            endsMidLine_ = true;
        return !(finished_ && line.empty());
    }

    bool EndsMidLine() const { return endsMidLine_; }

private:
    std::string_view rest_;
    bool finished_ = false;
    bool endsMidLine_ = false;
};

// A "..." string with \\ and \" escapes at the start of text; text is advanced
// past it. A backslash before any other character stands for itself.
std::optional<std::string> ReadQuoted(std::string_view& text) {
    if (!text.starts_with('"'))
        return std::nullopt;
    std::string result;
    for (std::size_t index = 1; index < text.size(); ++index) {
        const char c = text[index];
        if (c == '"') {
            text.remove_prefix(index + 1);
            return result;
        }
        if (c == '\\' && index + 1 < text.size() &&
            (text[index + 1] == '\\' || text[index + 1] == '"'))
            ++index;
        result += text[index];
    }
    return std::nullopt;
}

std::optional<std::string> ReadValueName(std::string_view& text) {
    if (text.starts_with('@')) {
        text.remove_prefix(1);
        return std::string();
    }
    auto name = ReadQuoted(text);
    if (!name || !IsValidValueName(*name))
        return std::nullopt;
    return name;
}

// What follows "name" = on a value line, trimmed; nullopt without a name and '='.
std::optional<std::string_view> DataPart(std::string_view line, std::string* name = nullptr) {
    auto parsedName = ReadValueName(line);
    line = TrimLeft(line);
    if (!parsedName || !line.starts_with('='))
        return std::nullopt;
    if (name != nullptr)
        *name = std::move(*parsedName);
    return Trim(line.substr(1));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = UpperAscii(c);
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

bool StartsWithHexDigit(std::string_view text) {
    return !text.empty() && HexDigit(text.front()) >= 0;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        number = number << 4 | static_cast<std::uint32_t>(digit);
    }
    return number;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view list) {
    std::vector<std::uint8_t> bytes;
    list = Trim(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const auto byte = ParseHexNumber(Trim(list.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
        if (Trim(list).empty())
            return std::nullopt; // a trailing comma: the list was cut off
    }
    return bytes;
}

std::optional<RegistryValue> ParseHexValue(std::uint32_t type, std::string_view list,
                                           bool unicode) {
    auto bytes = ParseHexBytes(list);
    if (!bytes)
        return std::nullopt;
    // Version 5 exports hold texts as UTF-16; the hive keeps them in UTF-8.
    if (unicode && (type == RegistryType::Text || type == RegistryType::ExpandableText)) {
        const std::string utf8 = Utf16LeToUtf8(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        bytes->assign(utf8.begin(), utf8.end());
    }
    return RegistryValue{type, std::move(*bytes)};
}

std::optional<RegistryValue> ParseTypedHex(std::string_view data, bool unicode) {
    data.remove_prefix(std::string_view("hex(").size());
    const std::size_t close = data.find(')');
    if (close == std::string_view::npos || data.substr(close + 1, 1) != ":")
        return std::nullopt;
    const auto type = ParseHexNumber(Trim(data.substr(0, close)), 8);
    if (!type)
        return std::nullopt;
    return ParseHexValue(*type, data.substr(close + 2), unicode);
}

std::optional<RegistryValue> ParseData(std::string_view data, bool unicode) {
    if (data.starts_with('"')) {
        auto text = ReadQuoted(data);
        if (!text || !Trim(data).empty())
            return std::nullopt;
        return RegistryValue::Text(*text);
    }
    if (StartsWithNoCase(data, "dword:")) {
        const auto number = ParseHexNumber(Trim(data.substr(6)), 8);
        return number ? std::optional(RegistryValue::Integer(*number)) : std::nullopt;
    }
    if (StartsWithNoCase(data, "hex:"))
        return ParseHexValue(RegistryType::Binary, data.substr(4), unicode);
    if (StartsWithNoCase(data, "hex("))
        return ParseTypedHex(data, unicode);
    return std::nullopt;
}

bool IsValueLine(std::string_view line) {
    return line.starts_with('"') || line.starts_with('@');
}

// A hex list goes on over the next line when its line ends with a backslash.
bool ContinuesHexList(std::string_view line) {
    const auto data = DataPart(line);
    return data && StartsWithNoCase(*data, "hex") && data->ends_with('\\');
}

// The full path with the root spelled canonically, or nullopt.
std::optional<std::string> CanonicalKeyPath(std::string_view path) {
    const auto names = SplitKeyPath(path);
    if (!names)
        return std::nullopt;
    const auto root = std::find_if(RootNames.begin(), RootNames.end(), [&](std::string_view known) {
        return EqualsNoCase(known, names->front());
    });
    if (root == RootNames.end())
        return std::nullopt;
    return std::string(*root) + std::string(path.substr(names->front().size()));
}

class Parser {
public:
    RegistryTextParse Run(std::string_view text) {
        LineReader lines(text);
        std::string_view line;
        while (lines.Next(line)) {
            if (!ParseLine(Trim(JoinContinued(line, lines))))
                ++result_.SkippedLines;
        }
        result_.EndsMidLine = lines.EndsMidLine();
        return std::move(result_);
    }

private:
    std::string_view JoinContinued(std::string_view line, LineReader& lines) {
        if (!IsValueLine(Trim(line)) || !ContinuesHexList(Trim(line)))
            return line;
        joined_.assign(Trim(line));
        std::string_view next;
        while (joined_.ends_with('\\') && NextListLine(lines, next)) {
            joined_.pop_back();
            joined_ += next;
        }
        return joined_;
    }

    // Only a line of hex bytes continues a list, so that a list cut off
    // before a new section does not swallow the section's header.
    static bool NextListLine(LineReader& lines, std::string_view& next) {
        const LineReader before = lines;
        if (lines.Next(next) && StartsWithHexDigit(Trim(next))) {
            next = Trim(next);
            return true;
        }
        lines = before;
        return false;
    }

    bool ParseLine(std::string_view line) {
        if (line.empty() || line.starts_with(';'))
            return true;
        if (headerAllowed_) {
            headerAllowed_ = false;
            if (EqualsNoCase(line, UnicodeHeader) || EqualsNoCase(line, AnsiHeader)) {
                unicode_ = EqualsNoCase(line, UnicodeHeader);
                return true;
            }
        }
        if (line.starts_with('['))
            return ParseSection(line);
        if (IsValueLine(line))
            return ParseValue(line);
        return false;
    }

    bool ParseSection(std::string_view line) {
        current_ = nullptr;
        if (!line.ends_with(']') || line.size() < 2)
            return false;
        std::string_view path = line.substr(1, line.size() - 2);
        const bool removal = path.starts_with('-');
        if (removal)
            path.remove_prefix(1);
        const auto canonical = CanonicalKeyPath(path);
        if (!canonical)
            return false;
        if (removal)
            result_.Hive.Delete(*canonical);
        else
            current_ = result_.Hive.Create(*canonical);
        return true;
    }

    bool ParseValue(std::string_view line) {
        std::string name;
        const auto data = DataPart(line, &name);
        if (current_ == nullptr || !data)
            return false;
        if (*data == "-") {
            current_->RemoveValue(name);
            return true;
        }
        auto value = ParseData(*data, unicode_);
        if (!value)
            return false;
        current_->SetValue(name, std::move(*value));
        return true;
    }

    RegistryTextParse result_;
    RegistryKey* current_ = nullptr;
    bool headerAllowed_ = true;
    bool unicode_ = false;
    std::string joined_;
};

} // namespace

RegistryTextParse ParseRegistryText(std::string_view text) {
    const std::string decoded = DecodedText(text);
    return Parser().Run(decoded);
}

} // namespace kvarzel
