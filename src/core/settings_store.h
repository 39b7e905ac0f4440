// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"

#include <stdexcept>
#include <string>

namespace kvarzel {

// A settings value (or the whole store) that could not be written. The text
// is shown to the user at shut-down.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::string& name,
                                WriteFailure reason = WriteFailure::None);
    // Why, when the store could tell.
    WriteFailure Reason() const { return reason_; }

private:
    WriteFailure reason_;
};

// The store that TOptions::Load, Save and Erase work on; the program installs
// the per-user store at start-up. Not owned.
void SetSettingsStore(RegistryStore* store);
// The installed store, or nullptr.
RegistryStore* InstalledSettingsStore();

} // namespace kvarzel
