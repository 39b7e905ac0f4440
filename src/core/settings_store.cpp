// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings_store.h"

#include "core/file_system.h"
#include "core/options.h"
#include "core/registry_reading.h"
#include "core/statistics_settings.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace kvarzel {

namespace {

RegistryStore* installedStore = nullptr;

const std::string VendorKey = "Software\\Tellumor";
const std::string ProductKey = VendorKey + "\\Kvarzel";
const std::string KeysKey = ProductKey + "\\Keys";
const std::string TimerKey = ProductKey + "\\Timer";
const std::string SoundsKey = ProductKey + "\\Sounds";

// A wave file of this name in the working directory is the wrong-answer sound
// until a stored setting says otherwise.
const std::string DefaultWaveFile = "Infected.wav";

std::int32_t ReadInteger(const RegistryStore& store, const std::string& key, const char* name,
                         std::int32_t fallback) {
    return IntegerFrom(store.ReadValue(key, name)).value_or(fallback);
}

bool ReadBoolean(const RegistryStore& store, const std::string& key, const char* name,
                 bool fallback) {
    return ReadInteger(store, key, name, fallback ? 1 : 0) != 0;
}

// The shortcut field is 16 bits wide; wider stored numbers keep their low bits.
std::uint16_t ReadShortCut(const RegistryStore& store, const std::string& key, const char* name) {
    return static_cast<std::uint16_t>(ReadInteger(store, key, name, 0));
}

std::string WithoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// Each value falls back on its own; the fallbacks are the record's defaults.
const TOptions Fallback;

void LoadProduct(const RegistryStore& store, TOptions& options) {
    options.PeasCount = ReadInteger(store, ProductKey, "PeasCount", Fallback.PeasCount);
    options.PeasRatio = ReadInteger(store, ProductKey, "PeasRatio", Fallback.PeasRatio);
}

void LoadKeys(const RegistryStore& store, TOptions& options) {
    options.KeyWhite = ReadShortCut(store, KeysKey, "KeyWhite");
    options.KeyBlack = ReadShortCut(store, KeysKey, "KeyBlack");
}

void LoadTimer(const RegistryStore& store, TOptions& options) {
    options.TimerEnabled = ReadBoolean(store, TimerKey, "TimerEnabled", Fallback.TimerEnabled);
    options.TimeInterval = ReadInteger(store, TimerKey, "TimeInterval", Fallback.TimeInterval);
}

// The wave settings fall back to what the start of Load found in the working folder.
void LoadSounds(const RegistryStore& store, TOptions& options) {
    options.BeepWrong = ReadBoolean(store, SoundsKey, "BeepWrong", Fallback.BeepWrong);
    options.BeepFrequency = ReadInteger(store, SoundsKey, "BeepFrequency", Fallback.BeepFrequency);
    options.BeepDuration = ReadInteger(store, SoundsKey, "BeepDuration", Fallback.BeepDuration);
    options.WaveWrong = ReadBoolean(store, SoundsKey, "WaveWrong", options.WaveWrong);
    if (auto text = TextFrom(store.ReadValue(SoundsKey, "WaveFilename")))
        options.WaveFilename = WithoutQuotes(std::move(*text));
}

struct StoredValue {
    const char* Name;
    std::variant<std::uint32_t, std::string> Data;
};

std::uint32_t AsStored(std::int32_t number) {
    return static_cast<std::uint32_t>(number);
}
std::uint32_t AsStored(bool flag) {
    return flag ? 1 : 0;
}

void WriteKey(RegistryStore& store, const std::string& key,
              const std::vector<StoredValue>& values) {
    if (!store.CreateKey(key))
        return;
    for (const StoredValue& value : values) {
        const bool written =
            std::holds_alternative<std::uint32_t>(value.Data)
                ? store.WriteInteger(key, value.Name, std::get<std::uint32_t>(value.Data))
                : store.WriteText(key, value.Name, std::get<std::string>(value.Data));
        if (!written)
            throw SettingsWriteError(value.Name);
    }
}

// Subkeys go first, from the last one down, so that enumeration indices
// stay valid while deleting.
bool DeleteTree(RegistryStore& store, const std::string& key) {
    const std::vector<std::string> subkeys = store.SubkeyNames(key);
    for (auto name = subkeys.rbegin(); name != subkeys.rend(); ++name)
        DeleteTree(store, key + "\\" + *name);
    return store.DeleteKey(key);
}

// Erase without committing, so that Save can replace the settings in one step.
bool EraseKeys(RegistryStore& store) {
    bool erased = true;
    if (store.OpenKey(ProductKey))
        erased = DeleteTree(store, ProductKey);
    // Other products of the vendor keep the vendor key alive.
    if (store.OpenKey(VendorKey) && store.SubkeyNames(VendorKey).empty())
        store.DeleteKey(VendorKey);
    return erased;
}

} // namespace

SettingsWriteError::SettingsWriteError(const std::string& name, WriteFailure reason)
    : std::runtime_error("Failed to set data for '" + name + "'"), reason_(reason) {}

void SetSettingsStore(RegistryStore* store) {
    installedStore = store;
}

RegistryStore* InstalledSettingsStore() {
    return installedStore;
}

bool TOptions::Load() {
    WaveWrong = false;
    WaveFilename.clear();
    if (FileExists(DefaultWaveFile)) {
        WaveWrong = true;
        WaveFilename = DefaultWaveFile;
    }
    const RegistryStore* store = installedStore;
    if (store == nullptr || !store->OpenKey(ProductKey))
        return false;
    LoadProduct(*store, *this);
    if (store->OpenKey(KeysKey))
        LoadKeys(*store, *this);
    if (store->OpenKey(TimerKey))
        LoadTimer(*store, *this);
    if (store->OpenKey(SoundsKey))
        LoadSounds(*store, *this);
    return true;
}

void TOptions::Save() {
    // Without a store nothing can be saved; say so like any failed save
    // rather than lose the settings silently.
    if (installedStore == nullptr)
        throw SettingsWriteError(ProductKey);
    RegistryStore& store = *installedStore;
    // The statistics' history choice shares the product key but is saved on
    // its own, when it is made; it outlives this save.
    const std::optional<bool> keepHistory = StoredKeepHistory(store);
    EraseKeys(store);
    WriteKey(store, ProductKey,
             {{"PeasCount", AsStored(PeasCount)}, {"PeasRatio", AsStored(PeasRatio)}});
    WriteKey(store, KeysKey,
             {{"KeyWhite", std::uint32_t{KeyWhite}}, {"KeyBlack", std::uint32_t{KeyBlack}}});
    WriteKey(store, TimerKey,
             {{"TimerEnabled", AsStored(TimerEnabled)}, {"TimeInterval", AsStored(TimeInterval)}});
    WriteKey(store, SoundsKey,
             {{"BeepWrong", AsStored(BeepWrong)},
              {"BeepFrequency", AsStored(BeepFrequency)},
              {"BeepDuration", AsStored(BeepDuration)},
              {"WaveWrong", AsStored(WaveWrong)},
              {"WaveFilename", WaveFilename}});
    if (keepHistory)
        WriteKeepHistory(store, *keepHistory);
    // One commit: a failure anywhere leaves the previously stored settings whole.
    if (!store.Commit())
        throw SettingsWriteError(store.Location(), store.CommitFailure());
}

bool TOptions::Erase() {
    if (installedStore == nullptr)
        return false;
    const bool erased = EraseKeys(*installedStore);
    return installedStore->Commit() && erased;
}

} // namespace kvarzel
