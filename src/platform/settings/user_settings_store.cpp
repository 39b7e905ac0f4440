// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/user_settings_store.h"

#include "platform/home_folder.h"
#include "platform/registry_file_store.h"

namespace kvarzel {

std::filesystem::path UserSettingsPath() {
    return XdgBaseFolder("XDG_CONFIG_HOME", ".config") / "Tellumor" / "Kvarzel.reg";
}

std::unique_ptr<RegistryStore> UserSettingsStore() {
    return std::make_unique<RegistryFileStore>(UserSettingsPath());
}

} // namespace kvarzel
