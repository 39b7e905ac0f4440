// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/registry_file_store.h"

#include "platform/files/atomic_file.h"
#include "platform/files/replaceable_file.h"
#include "platform/settings/registry_text.h"

#include <system_error>

namespace kvarzel {

namespace {

std::string UserPath(const std::string& path) {
    return "HKEY_CURRENT_USER\\" + path;
}

// A file that may not be replaced: something that is no regular file (a
// folder, a pipe, a link to one), or a file that is not the user's to change.
WriteFailure WhyNotReplaceable(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return WriteFailure::NotRegularFile;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > RegistryFileStore::MaxFileSize)
        return WriteFailure::NotOurFile;
    return WriteFailure::FileProtected;
}

} // namespace

RegistryFileStore::RegistryFileStore(std::filesystem::path file) : file_(std::move(file)) {
    if (file_.empty())
        return;
    FileContents contents = ReadWholeFile(file_, MaxFileSize);
    if (contents.Status == FileReadStatus::Read) {
        RegistryTextParse parsed = ParseRegistryText(contents.Bytes);
        hive_ = std::move(parsed.Hive);
        needsBackup_ = parsed.SkippedLines > 0 || parsed.EndsMidLine;
    } else {
        needsBackup_ = contents.Status == FileReadStatus::Failed;
    }
}

std::filesystem::path RegistryFileStore::BackupFile() const {
    std::filesystem::path backup = file_;
    return backup += ".bak";
}

bool RegistryFileStore::OpenKey(const std::string& path) const {
    return hive_.Find(UserPath(path)) != nullptr;
}

bool RegistryFileStore::CreateKey(const std::string& path) {
    return hive_.Create(UserPath(path)) != nullptr;
}

std::optional<RegistryValue> RegistryFileStore::ReadValue(const std::string& path,
                                                          const std::string& name) const {
    const RegistryKey* key = hive_.Find(UserPath(path));
    const RegistryValue* value = key != nullptr ? key->FindValue(name) : nullptr;
    return value != nullptr ? std::optional(*value) : std::nullopt;
}

bool RegistryFileStore::WriteValue(const std::string& path, const std::string& name,
                                   RegistryValue value) {
    RegistryKey* key = hive_.Find(UserPath(path));
    if (key == nullptr || !IsValidValueName(name))
        return false;
    key->SetValue(name, std::move(value));
    return true;
}

std::vector<std::string> RegistryFileStore::SubkeyNames(const std::string& path) const {
    std::vector<std::string> names;
    if (const RegistryKey* key = hive_.Find(UserPath(path)))
        for (const RegistryKey* subkey : key->Subkeys())
            names.push_back(subkey->Name());
    return names;
}

bool RegistryFileStore::DeleteKey(const std::string& path) {
    return hive_.Delete(UserPath(path));
}

// The original goes aside exactly as it is; if it cannot be copied, it is not
// overwritten either.
bool RegistryFileStore::BackUpOriginal() const {
    const FileContents original = ReadWholeFile(file_, MaxFileSize);
    if (original.Status == FileReadStatus::Missing)
        return true;
    return original.Status == FileReadStatus::Read &&
           ReplaceFileAtomically(BackupFile(), original.Bytes);
}

bool RegistryFileStore::Commit() {
    failure_ = WriteFailure::None;
    if (file_.empty())
        return true;
    std::error_code error;
    if (file_.has_parent_path())
        std::filesystem::create_directories(file_.parent_path(), error);
    if (error)
        return Failed(WriteFailureOfError(error.value()));
    // Checked first, so that a file we must not replace is not copied aside either.
    const std::optional<std::filesystem::path> replaced = ReplaceableFile(file_);
    if (!replaced)
        return Failed(WhyNotReplaceable(file_));
    if (needsBackup_ && !BackUpOriginal())
        return Failed(WhyNotReplaceable(file_));
    needsBackup_ = false;
    if (!ReplaceFileAtomically(*replaced, WriteRegistryText(hive_), error))
        return Failed(WriteFailureOfError(error.value()));
    return true;
}

bool RegistryFileStore::Failed(WriteFailure failure) {
    failure_ = failure == WriteFailure::None ? WriteFailure::Unknown : failure;
    return false;
}

} // namespace kvarzel
