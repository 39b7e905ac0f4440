// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/write_failure.h"

#include <cerrno>

namespace kvarzel {

WriteFailure WriteFailureOfError(int error) {
    switch (error) {
    case 0:
        return WriteFailure::None;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteFailure::NoSpace;
    case EROFS:
        return WriteFailure::ReadOnlyDisk;
    case EACCES:
    case EPERM:
    case ENOENT:
    case ENOTDIR:
        return WriteFailure::FolderNotWritable;
    case ELOOP:
    case EISDIR:
    case ENXIO:
    case EINVAL:
        return WriteFailure::NotRegularFile;
    case EWOULDBLOCK:
        return WriteFailure::LockedByOther;
    case EIO:
        return WriteFailure::InputOutput;
    default:
        return WriteFailure::Unknown;
    }
}

std::string WriteFailureText(WriteFailure failure) {
    switch (failure) {
    case WriteFailure::None:
        return {};
    case WriteFailure::NoSpace:
        return "нет места на диске";
    case WriteFailure::ReadOnlyDisk:
        return "диск доступен только для чтения";
    case WriteFailure::FolderNotWritable:
        return "папка недоступна для записи";
    case WriteFailure::FileProtected:
        return "файл защищён от записи или принадлежит другому пользователю";
    case WriteFailure::NotRegularFile:
        return "на месте файла не обычный файл (ссылка, папка или устройство)";
    case WriteFailure::LockedByOther:
        return "файл заблокирован другой программой";
    case WriteFailure::LockNotUsable:
        return "на месте файла блокировки ссылка, папка или чужой файл";
    case WriteFailure::InputOutput:
        return "ошибка ввода-вывода на диске";
    case WriteFailure::NoHomeFolder:
        return "не найдена домашняя папка";
    case WriteFailure::NotOurFile:
        return "файл записан не этой программой или повреждён";
    case WriteFailure::Unknown:
        break;
    }
    return "неизвестная ошибка записи";
}

std::string WithReason(const std::string& message, WriteFailure failure) {
    if (failure == WriteFailure::None)
        return message;
    return message + ". Причина: " + WriteFailureText(failure);
}

} // namespace kvarzel
