#pragma once

#include "core/registry_store.h"

namespace kvarzel {

// Whether finished trainings go to the history file. Kept in a subkey of its
// own, "Software\Tellumor\Kvarzel\Statistics", value "KeepHistory" (0 or 1);
// off when the store has no such value.
bool LoadKeepHistory(const RegistryStore* store);
// Writes the value and commits the store; false when either fails.
bool SaveKeepHistory(RegistryStore* store, bool keep);
// True once the value has been stored: the user has made a choice.
bool KeepHistoryStored(const RegistryStore* store);

} // namespace kvarzel
