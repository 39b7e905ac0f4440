// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/registry_reading.h"

#include <algorithm>

namespace kvarzel {

std::optional<std::int32_t> IntegerFrom(const std::optional<RegistryValue>& value) {
    if (!value || value->Type != RegistryType::Integer || value->Data.size() != 4)
        return std::nullopt;
    std::uint32_t number = 0;
    for (int index = 3; index >= 0; --index)
        number = (number << 8) | value->Data[index];
    return static_cast<std::int32_t>(number);
}

std::optional<std::string> TextFrom(const std::optional<RegistryValue>& value) {
    if (!value || value->Data.empty())
        return std::string();
    if (value->Type != RegistryType::Text && value->Type != RegistryType::ExpandableText)
        return std::nullopt;
    const auto end = std::find(value->Data.begin(), value->Data.end(), std::uint8_t{0});
    return std::string(value->Data.begin(), end);
}

} // namespace kvarzel
