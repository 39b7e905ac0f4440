// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/registry_store.h"
#include "platform/settings/registry_hive.h"

#include <cstddef>
#include <filesystem>

namespace kvarzel {

// The settings store kept as a registry-export text file. The file is read
// once, when the store is made; Commit writes the whole hive back in one
// atomic replace. Paths are taken below HKEY_CURRENT_USER.
class RegistryFileStore : public RegistryStore {
public:
    // Far more than any settings file; a larger one is not read into memory (a
    // sparse file of many gigabytes would exhaust it) and is never overwritten.
    static constexpr std::size_t MaxFileSize = 64 << 20;

    explicit RegistryFileStore(std::filesystem::path file);

    bool OpenKey(const std::string& path) const override;
    bool CreateKey(const std::string& path) override;
    std::optional<RegistryValue> ReadValue(const std::string& path,
                                           const std::string& name) const override;
    bool WriteValue(const std::string& path, const std::string& name,
                    RegistryValue value) override;
    std::vector<std::string> SubkeyNames(const std::string& path) const override;
    bool DeleteKey(const std::string& path) override;
    // Without a file (there is no home folder) nothing is written, and that
    // is no failure: the program said so at its start.
    bool Commit() override;
    WriteFailure CommitFailure() const override { return failure_; }
    std::string Location() const override { return file_.string(); }

    const RegistryHive& Hive() const { return hive_; }
    std::filesystem::path BackupFile() const;

private:
    bool BackUpOriginal() const;
    bool Failed(WriteFailure failure);

    std::filesystem::path file_;
    RegistryHive hive_;
    // The file on disk holds something the hive lost (lines that could not be
    // parsed, or the file could not be read at all): copy it aside before the
    // first overwrite.
    bool needsBackup_ = false;
    WriteFailure failure_ = WriteFailure::None;
};

} // namespace kvarzel
