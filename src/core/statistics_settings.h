// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"

#include <optional>

namespace kvarzel {

// Whether finished trainings go to the history file. Kept in a subkey of its
// own, "Software\Tellumor\Kvarzel\Statistics", value "KeepHistory" (0 or 1);
// off when the store has no such value.
bool LoadKeepHistory(const RegistryStore* store);
// Writes the value and commits the store; false when either fails.
bool SaveKeepHistory(RegistryStore* store, bool keep);
// The stored choice, if one is stored. The settings' save erases the whole
// product key; it reads the choice first and writes it back with
// WriteKeepHistory (which does not commit), so that both go in one commit.
std::optional<bool> StoredKeepHistory(const RegistryStore& store);
bool WriteKeepHistory(RegistryStore& store, bool keep);
// True once the value has been stored: the user has made a choice.
bool KeepHistoryStored(const RegistryStore* store);

} // namespace kvarzel
