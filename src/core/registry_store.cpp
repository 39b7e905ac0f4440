// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/registry_store.h"

namespace kvarzel {

RegistryValue RegistryValue::Integer(std::uint32_t number) {
    RegistryValue value{RegistryType::Integer, {}};
    for (int shift = 0; shift < 32; shift += 8)
        value.Data.push_back(static_cast<std::uint8_t>(number >> shift));
    return value;
}

RegistryValue RegistryValue::Text(std::string_view text, std::uint32_t type) {
    RegistryValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.Data.push_back(0);
    return value;
}

bool RegistryStore::WriteInteger(const std::string& path, const std::string& name,
                                 std::uint32_t number) {
    return WriteValue(path, name, RegistryValue::Integer(number));
}

bool RegistryStore::WriteText(const std::string& path, const std::string& name,
                              const std::string& text) {
    return WriteValue(path, name, RegistryValue::Text(text));
}

} // namespace kvarzel
