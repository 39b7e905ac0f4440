// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace kvarzel {

// A version resource whose entries are looked up by path, as
// "\StringFileInfo\041904E3\FileVersion": a folder (on disk or a Qt resource)
// holding one file per entry. The executable's own is compiled in by the build.
class VersionResource {
public:
    explicit VersionResource(QString root) : root_(std::move(root)) {}

    static VersionResource OfExecutable();

    // The entry's text up to its first zero byte (UTF-8), or nothing when the
    // entry is missing or cannot be read.
    std::optional<QString> Query(const QString& entryPath) const;

private:
    QString root_;
};

} // namespace kvarzel
