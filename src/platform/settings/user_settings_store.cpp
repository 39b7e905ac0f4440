// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/user_settings_store.h"

#include "platform/files/home_folder.h"
#include "platform/settings/registry_file_store.h"

namespace kvarzel {

std::filesystem::path UserSettingsPath() {
    const std::filesystem::path config = XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? config : config / "Tellumor" / "Kvarzel.reg";
}

std::unique_ptr<RegistryStore> UserSettingsStore() {
    return std::make_unique<RegistryFileStore>(UserSettingsPath());
}

} // namespace kvarzel
