// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kvarzel::testing {

// An in-memory store double: keys by path (case-insensitive), pending changes
// that become the stored state only on Commit, and switches that make single
// operations fail.
class MemoryRegistryStore : public RegistryStore {
public:
    struct Key {
        std::string Path;
        std::vector<std::pair<std::string, RegistryValue>> Values;
        bool operator==(const Key&) const = default;
    };
    using Keys = std::map<std::string, Key>;

    // Arranging a stored state: creates the key (and its parents) and the value, committed.
    void Put(const std::string& path, const std::string& name, const RegistryValue& value);
    void PutKey(const std::string& path);

    // What a later start of the program would find.
    const Keys& Stored() const { return stored_; }
    void Restart() { pending_ = stored_; }
    std::vector<std::string> ValueNames(const std::string& path) const;

    std::set<std::string> FailingValues;
    std::set<std::string> FailingKeys;
    bool FailCommit = false;
    int Commits = 0;
    std::vector<std::string> DeletedKeys;

    bool OpenKey(const std::string& path) const override;
    bool CreateKey(const std::string& path) override;
    std::optional<RegistryValue> ReadValue(const std::string& path,
                                           const std::string& name) const override;
    bool WriteValue(const std::string& path, const std::string& name,
                    RegistryValue value) override;
    std::vector<std::string> SubkeyNames(const std::string& path) const override;
    bool DeleteKey(const std::string& path) override;
    bool Commit() override;
    std::string Location() const override { return "memory"; }

private:
    Keys pending_;
    Keys stored_;
};

} // namespace kvarzel::testing
