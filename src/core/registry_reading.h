// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kvarzel {

// The reading rules of the settings: a value that breaks them is a failure
// (nullopt), and the caller falls back to that value's default.

// Only a 32-bit integer value counts; texts, byte strings and other types fail.
std::optional<std::int32_t> IntegerFrom(const std::optional<RegistryValue>& value);

// A missing value or one with no data is empty text, not a failure. Text and
// expandable text (taken literally) are accepted, up to the first zero byte.
std::optional<std::string> TextFrom(const std::optional<RegistryValue>& value);

} // namespace kvarzel
