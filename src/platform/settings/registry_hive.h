// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvarzel {

// Limits of the registry; the depth limit also keeps every walk over the tree
// shallow enough for recursion.
constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t MaxKeyDepth = 512;

// A key name: 1 to 255 bytes, no backslash, no control character.
bool IsValidKeyName(std::string_view name);
// A value name may hold anything but a line break (it must fit on one line).
bool IsValidValueName(std::string_view name);

// One key of the hive. Names of subkeys and values are compared without
// regard to ASCII case, as the registry does. Subkeys are enumerated in the
// registry's order (by upper-cased name), values in the order they were added.
class RegistryKey {
public:
    explicit RegistryKey(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    RegistryKey* FindSubkey(std::string_view name);
    const RegistryKey* FindSubkey(std::string_view name) const;
    // The existing subkey of that name, or a new one.
    RegistryKey& CreateSubkey(std::string_view name);
    bool RemoveSubkey(std::string_view name);
    std::vector<const RegistryKey*> Subkeys() const;
    bool HasSubkeys() const { return !subkeys_.empty(); }

    const RegistryValue* FindValue(std::string_view name) const;
    // Replaces the data of an existing value in place, keeping its position.
    void SetValue(std::string_view name, RegistryValue value);
    bool RemoveValue(std::string_view name);
    std::vector<std::pair<const std::string*, const RegistryValue*>> Values() const;
    bool HasValues() const { return !values_.empty(); }

private:
    struct NamedValue {
        std::uint64_t Order;
        std::string Name;
        RegistryValue Value;
    };

    std::string name_;
    std::map<std::string, std::unique_ptr<RegistryKey>> subkeys_;
    std::map<std::string, NamedValue> values_;
    std::uint64_t nextValueOrder_ = 0;
};

// A tree of keys below nameless top; its direct subkeys are the roots
// ("HKEY_CURRENT_USER"). Paths are full: "HKEY_CURRENT_USER\\Software".
class RegistryHive {
public:
    RegistryKey* Find(std::string_view path);
    const RegistryKey* Find(std::string_view path) const;
    // Creates missing keys along the path; nullptr when the path is not valid.
    RegistryKey* Create(std::string_view path);
    // Deletes the key with everything below it.
    bool Delete(std::string_view path);

    const RegistryKey& Top() const { return top_; }

private:
    RegistryKey top_{std::string()};
};

// The names along a path, or nullopt when a name is invalid or the path too deep.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path);

} // namespace kvarzel
