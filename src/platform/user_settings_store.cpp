#include "platform/user_settings_store.h"

#include "platform/home_folder.h"
#include "platform/registry_file_store.h"

#include <cstdlib>

namespace kvarzel {

namespace {

// A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules say.
std::filesystem::path ConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
        return config;
    return HomeFolder() / ".config";
}

} // namespace

std::filesystem::path UserSettingsPath() {
    return ConfigFolder() / "Tellumor" / "Kvarzel.reg";
}

std::unique_ptr<RegistryStore> UserSettingsStore() {
    return std::make_unique<RegistryFileStore>(UserSettingsPath());
}

} // namespace kvarzel
