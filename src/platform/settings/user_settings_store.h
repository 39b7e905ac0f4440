// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"

#include <filesystem>
#include <memory>

namespace kvarzel {

// ${XDG_CONFIG_HOME:-$HOME/.config}/Tellumor/Kvarzel.reg; empty when there
// is no home folder: the store then keeps the settings for this run only.
std::filesystem::path UserSettingsPath();

// The per-user store, read from UserSettingsPath() now; install it with
// SetSettingsStore before the settings are loaded, and keep it alive until
// they have been saved.
std::unique_ptr<RegistryStore> UserSettingsStore();

} // namespace kvarzel
