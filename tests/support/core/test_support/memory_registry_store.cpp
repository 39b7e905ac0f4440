// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/memory_registry_store.h"

#include <algorithm>
#include <cctype>

namespace kvarzel::testing {

namespace {

std::string Folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return Folded(a) == Folded(b);
}

} // namespace

void MemoryRegistryStore::PutKey(const std::string& path) {
    CreateKey(path);
    stored_ = pending_;
}

void MemoryRegistryStore::Put(const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    CreateKey(path);
    WriteValue(path, name, value);
    stored_ = pending_;
}

std::vector<std::string> MemoryRegistryStore::ValueNames(const std::string& path) const {
    std::vector<std::string> names;
    const auto key = stored_.find(Folded(path));
    if (key != stored_.end())
        for (const auto& [name, value] : key->second.Values)
            names.push_back(name);
    return names;
}

bool MemoryRegistryStore::OpenKey(const std::string& path) const {
    return pending_.contains(Folded(path));
}

bool MemoryRegistryStore::CreateKey(const std::string& path) {
    if (FailingKeys.contains(path))
        return false;
    for (std::size_t end = path.find('\\'); end != std::string::npos;
         end = path.find('\\', end + 1))
        pending_.try_emplace(Folded(path.substr(0, end)), Key{path.substr(0, end), {}});
    pending_.try_emplace(Folded(path), Key{path, {}});
    return true;
}

std::optional<RegistryValue> MemoryRegistryStore::ReadValue(const std::string& path,
                                                            const std::string& name) const {
    const auto key = pending_.find(Folded(path));
    if (key == pending_.end())
        return std::nullopt;
    for (const auto& [stored, value] : key->second.Values)
        if (SameName(stored, name))
            return value;
    return std::nullopt;
}

bool MemoryRegistryStore::WriteValue(const std::string& path, const std::string& name,
                                     RegistryValue value) {
    const auto key = pending_.find(Folded(path));
    if (key == pending_.end() || FailingValues.contains(name))
        return false;
    auto& values = key->second.Values;
    const auto existing = std::find_if(values.begin(), values.end(), [&](const auto& entry) {
        return SameName(entry.first, name);
    });
    if (existing != values.end())
        existing->second = std::move(value);
    else
        values.emplace_back(name, std::move(value));
    return true;
}

std::vector<std::string> MemoryRegistryStore::SubkeyNames(const std::string& path) const {
    const std::string prefix = Folded(path) + "\\";
    std::vector<std::string> names;
    for (const auto& [folded, key] : pending_)
        if (folded.starts_with(prefix) && folded.find('\\', prefix.size()) == std::string::npos)
            names.push_back(key.Path.substr(prefix.size()));
    return names;
}

bool MemoryRegistryStore::DeleteKey(const std::string& path) {
    const std::string folded = Folded(path);
    if (!pending_.contains(folded))
        return false;
    std::erase_if(pending_, [&](const auto& entry) {
        return entry.first == folded || entry.first.starts_with(folded + "\\");
    });
    DeletedKeys.push_back(path);
    return true;
}

bool MemoryRegistryStore::Commit() {
    if (FailCommit)
        return false;
    ++Commits;
    stored_ = pending_;
    return true;
}

} // namespace kvarzel::testing
