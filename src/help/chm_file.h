// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace kvarzel {

// A compiled help file opened read-only with libmspack's CHM reader. Copies
// share the opened file.
class ChmFile {
public:
    // Empty when the file is missing, is no regular file (a pipe, a device,
    // a folder) or is not a readable help file.
    static std::optional<ChmFile> Open(const QString& path);

    // The whole object at a path inside the file ("/Training.htm"), or nothing
    // when there is no such object or it cannot be read in full.
    std::optional<QByteArray> Read(const QString& objectPath) const;

private:
    class Archive;
    explicit ChmFile(std::shared_ptr<Archive> archive) : archive_(std::move(archive)) {}

    std::shared_ptr<Archive> archive_;
};

} // namespace kvarzel
