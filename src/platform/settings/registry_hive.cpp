// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/registry_hive.h"

#include <algorithm>

namespace kvarzel {

namespace {

// The registry orders and matches names by their upper-case form.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

} // namespace

bool IsValidKeyName(std::string_view name) {
    if (name.empty() || name.size() > MaxKeyNameLength)
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\\' || static_cast<unsigned char>(c) < 0x20; });
}

bool IsValidValueName(std::string_view name) {
    return name.find_first_of("\r\n") == std::string_view::npos;
}

RegistryKey* RegistryKey::FindSubkey(std::string_view name) {
    const auto found = subkeys_.find(Folded(name));
    return found == subkeys_.end() ? nullptr : found->second.get();
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->FindSubkey(name);
}

RegistryKey& RegistryKey::CreateSubkey(std::string_view name) {
    auto& slot = subkeys_[Folded(name)];
    if (!slot)
        slot = std::make_unique<RegistryKey>(std::string(name));
    return *slot;
}

bool RegistryKey::RemoveSubkey(std::string_view name) {
    return subkeys_.erase(Folded(name)) > 0;
}

std::vector<const RegistryKey*> RegistryKey::Subkeys() const {
    std::vector<const RegistryKey*> keys;
    keys.reserve(subkeys_.size());
    for (const auto& [folded, key] : subkeys_)
        keys.push_back(key.get());
    return keys;
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    const auto found = values_.find(Folded(name));
    return found == values_.end() ? nullptr : &found->second.Value;
}

void RegistryKey::SetValue(std::string_view name, RegistryValue value) {
    auto [slot, added] = values_.try_emplace(Folded(name));
    if (added)
        slot->second = {nextValueOrder_++, std::string(name), {}};
    slot->second.Value = std::move(value);
}

bool RegistryKey::RemoveValue(std::string_view name) {
    return values_.erase(Folded(name)) > 0;
}

std::vector<std::pair<const std::string*, const RegistryValue*>> RegistryKey::Values() const {
    std::vector<const NamedValue*> ordered;
    ordered.reserve(values_.size());
    for (const auto& [folded, value] : values_)
        ordered.push_back(&value);
    std::sort(ordered.begin(), ordered.end(),
              [](const NamedValue* a, const NamedValue* b) { return a->Order < b->Order; });
    std::vector<std::pair<const std::string*, const RegistryValue*>> values;
    values.reserve(ordered.size());
    for (const NamedValue* value : ordered)
        values.emplace_back(&value->Name, &value->Value);
    return values;
}

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> names;
    while (true) {
        const std::size_t separator = path.find('\\');
        const std::string_view name = path.substr(0, separator);
        if (!IsValidKeyName(name) || names.size() == MaxKeyDepth)
            return std::nullopt;
        names.push_back(name);
        if (separator == std::string_view::npos)
            return names;
        path.remove_prefix(separator + 1);
    }
}

RegistryKey* RegistryHive::Find(std::string_view path) {
    const auto names = SplitKeyPath(path);
    if (!names)
        return nullptr;
    RegistryKey* key = &top_;
    for (std::string_view name : *names)
        if ((key = key->FindSubkey(name)) == nullptr)
            return nullptr;
    return key;
}

const RegistryKey* RegistryHive::Find(std::string_view path) const {
    return const_cast<RegistryHive*>(this)->Find(path);
}

RegistryKey* RegistryHive::Create(std::string_view path) {
    const auto names = SplitKeyPath(path);
    if (!names)
        return nullptr;
    RegistryKey* key = &top_;
    for (std::string_view name : *names)
        key = &key->CreateSubkey(name);
    return key;
}

bool RegistryHive::Delete(std::string_view path) {
    const std::size_t separator = path.rfind('\\');
    if (separator == std::string_view::npos)
        return SplitKeyPath(path) && top_.RemoveSubkey(path);
    RegistryKey* parent = Find(path.substr(0, separator));
    const std::string_view name = path.substr(separator + 1);
    return parent != nullptr && IsValidKeyName(name) && parent->RemoveSubkey(name);
}

} // namespace kvarzel
