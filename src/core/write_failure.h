// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvarzel {

// Why a file of the program's (the history, its journals, the settings) could
// not be written, in terms the user can act on.
enum class WriteFailure {
    None,
    NoSpace,           // the disk or the user's quota is full
    ReadOnlyDisk,      // the file system is mounted read-only
    FolderNotWritable, // the folder refuses new files (its owner, its mode)
    FileProtected,     // the file is write-protected or another user's
    NotRegularFile,    // a link, a folder, a pipe or a device in the file's place
    LockedByOther,     // another program holds the history's lock
    LockNotUsable,     // the lock file is a link or not the user's
    InputOutput,       // the device reported an error
    NoHomeFolder,      // there is no home folder to keep anything in
    NotOurFile,        // the file holds something else, or is damaged
    Unknown,
};

// The failure an errno value of a failed open, write or sync stands for.
WriteFailure WriteFailureOfError(int error);
// The reason in Russian, lower case, without a full stop: "нет места на диске".
std::string WriteFailureText(WriteFailure failure);
// "<message>. Причина: <reason>", or the message alone without a reason.
std::string WithReason(const std::string& message, WriteFailure failure);

} // namespace kvarzel
