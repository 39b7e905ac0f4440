// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/atomic_file.h"
#include "platform/files/history_file.h"
#include "platform/files/replaceable_file.h"

#include <cerrno>
#include <system_error>

namespace kvarzel {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "«" + path.string() + "»";
}

std::string FailureMessage(const std::filesystem::path& path, const std::error_code& error) {
    const std::string start = "Не удалось сохранить файл " + Quoted(path);
    switch (error.value()) {
    case ENOSPC:
    case EDQUOT:
        return start + ": на диске не хватает места.";
    case EACCES:
    case EPERM:
    case EROFS:
        return start + ": нет прав на запись в эту папку.";
    case ENOENT:
    case ENOTDIR:
        return start + ": такой папки нет.";
    case EISDIR:
        return start + ": под этим именем уже есть папка.";
    case ENAMETOOLONG:
        return start + ": слишком длинное имя.";
    default:
        return start + ".";
    }
}

} // namespace

ExportResult ExportHistory(const std::filesystem::path& path,
                           std::span<const TrainingRecord> records) {
    const std::optional<std::filesystem::path> target = ReplaceableFile(path);
    if (!target)
        return {false, "Файл " + Quoted(path) +
                           " оставлен как есть: он защищён от записи, принадлежит другому "
                           "пользователю или это ссылка не на ваш файл."};
    std::string text = HistoryHeaderLine();
    for (const TrainingRecord& record : records)
        text += HistoryLine(record);
    std::error_code error;
    if (!ReplaceFileAtomically(*target, text, error))
        return {false, FailureMessage(path, error)};
    return {true, {}};
}

} // namespace kvarzel
