#include "platform/user_settings_store.h"

#include "platform/registry_file_store.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace kvarzel {

namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
        return user->pw_dir;
    return {};
}

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
