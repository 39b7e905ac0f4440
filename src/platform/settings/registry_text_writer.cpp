// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/registry_text.h"

#include <algorithm>
#include <cstdio>

namespace kvarzel {

namespace {

// Hex lists wrap like regedit's, so that long values stay readable.
constexpr std::size_t HexLineWidth = 76;

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string HexByte(std::uint8_t byte) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    return digits;
}

std::string HexNumber(std::uint32_t number, const char* format) {
    char digits[9];
    std::snprintf(digits, sizeof digits, format, number);
    return digits;
}

// A text fits between quotes when it ends with its only zero byte and has no
// line break; other texts are written as hex(1): lists.
bool FitsQuoted(const RegistryValue& value) {
    const auto& data = value.Data;
    return !data.empty() && data.back() == 0 &&
           std::none_of(data.begin(), data.end() - 1, [](std::uint8_t byte) {
               return byte == 0 || byte == '\n' || byte == '\r';
           });
}

std::string HexList(std::string line, const std::vector<std::uint8_t>& data) {
    std::size_t column = line.size();
    for (std::size_t index = 0; index < data.size(); ++index) {
        line += HexByte(data[index]);
        column += 2;
        if (index + 1 == data.size())
            break;
        line += ',';
        if (++column > HexLineWidth) {
            line += "\\\n  ";
            column = 2;
        }
    }
    return line;
}

std::string ValueLine(const std::string& name, const RegistryValue& value) {
    std::string line = (name.empty() ? std::string("@") : Quoted(name)) + '=';
    if (value.Type == RegistryType::Integer && value.Data.size() == 4) {
        const std::uint32_t number = value.Data[0] | value.Data[1] << 8 | value.Data[2] << 16 |
                                     static_cast<std::uint32_t>(value.Data[3]) << 24;
        return line + "dword:" + HexNumber(number, "%08x");
    }
    if (value.Type == RegistryType::Text && FitsQuoted(value)) {
        const auto& data = value.Data;
        return line + Quoted(std::string_view(reinterpret_cast<const char*>(data.data()),
                                              data.size() - 1));
    }
    if (value.Type == RegistryType::Binary)
        return HexList(line + "hex:", value.Data);
    return HexList(line + "hex(" + HexNumber(value.Type, "%x") + "):", value.Data);
}

// Keys holding nothing but subkeys need no section: their subkeys' sections
// recreate them.
void WriteKey(std::string& out, const RegistryKey& key, const std::string& path) {
    if (key.HasValues() || !key.HasSubkeys()) {
        out += "\n[" + path + "]\n";
        for (const auto& [name, value] : key.Values())
            out += ValueLine(*name, *value) + '\n';
    }
    for (const RegistryKey* subkey : key.Subkeys())
        WriteKey(out, *subkey, path + '\\' + subkey->Name());
}

} // namespace

std::string WriteRegistryText(const RegistryHive& hive) {
    std::string out = "REGEDIT4\n";
    for (const RegistryKey* root : hive.Top().Subkeys())
        WriteKey(out, *root, root->Name());
    return out;
}

} // namespace kvarzel
