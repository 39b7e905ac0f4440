// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/write_failure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarzel {

// Value types, numbered as the registry numbers them.
namespace RegistryType {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Text = 1;           // REG_SZ
constexpr std::uint32_t ExpandableText = 2; // REG_EXPAND_SZ
constexpr std::uint32_t Binary = 3;         // REG_BINARY
constexpr std::uint32_t Integer = 4;        // REG_DWORD, little-endian
} // namespace RegistryType

// A typed value: its type and its raw bytes. Texts hold their bytes with the
// terminating zero byte, as the registry stores them.
struct RegistryValue {
    std::uint32_t Type = RegistryType::None;
    std::vector<std::uint8_t> Data;

    static RegistryValue Integer(std::uint32_t number);
    static RegistryValue Text(std::string_view text, std::uint32_t type = RegistryType::Text);

    bool operator==(const RegistryValue&) const = default;
};

// The per-user hierarchical store the settings live in. Key paths are relative
// to the user's root and use backslashes: "Software\\Tellumor\\Kvarzel".
// Changes become durable only with Commit, all at once.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // True when the key exists; never creates it.
    virtual bool OpenKey(const std::string& path) const = 0;
    // Opens the key, creating it and any missing key above it.
    virtual bool CreateKey(const std::string& path) = 0;
    virtual std::optional<RegistryValue> ReadValue(const std::string& path,
                                                   const std::string& name) const = 0;
    // Sets the value in an existing key; false when the key is missing or the
    // value cannot be written there.
    virtual bool WriteValue(const std::string& path, const std::string& name,
                            RegistryValue value) = 0;
    bool WriteInteger(const std::string& path, const std::string& name, std::uint32_t number);
    bool WriteText(const std::string& path, const std::string& name, const std::string& text);
    // Names of the direct subkeys, in the store's enumeration order.
    virtual std::vector<std::string> SubkeyNames(const std::string& path) const = 0;
    // Deletes the key with everything below it.
    virtual bool DeleteKey(const std::string& path) = 0;
    virtual bool Commit() = 0;
    // Why the last Commit failed; None when it did not, or when the store cannot tell.
    virtual WriteFailure CommitFailure() const { return WriteFailure::None; }
    // Where the store keeps its data, for error messages.
    virtual std::string Location() const = 0;
};

} // namespace kvarzel
