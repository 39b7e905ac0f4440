// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/statistics_settings.h"

#include "core/registry_reading.h"

#include <string>

namespace kvarzel {
namespace {

const std::string StatisticsKey = "Software\\Tellumor\\Kvarzel\\Statistics";
const std::string KeepHistoryName = "KeepHistory";

} // namespace

bool LoadKeepHistory(const RegistryStore* store) {
    if (store == nullptr)
        return false;
    return IntegerFrom(store->ReadValue(StatisticsKey, KeepHistoryName)).value_or(0) != 0;
}

bool SaveKeepHistory(RegistryStore* store, bool keep) {
    return store != nullptr && WriteKeepHistory(*store, keep) && store->Commit();
}

std::optional<bool> StoredKeepHistory(const RegistryStore& store) {
    if (!KeepHistoryStored(&store))
        return std::nullopt;
    return LoadKeepHistory(&store);
}

bool WriteKeepHistory(RegistryStore& store, bool keep) {
    return store.CreateKey(StatisticsKey) &&
           store.WriteInteger(StatisticsKey, KeepHistoryName, keep ? 1 : 0);
}

bool KeepHistoryStored(const RegistryStore* store) {
    return store != nullptr && store->ReadValue(StatisticsKey, KeepHistoryName).has_value();
}

} // namespace kvarzel
