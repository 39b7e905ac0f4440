#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

struct chmFile;

namespace kvarzel {

// A compiled help file opened read-only with chmlib.
class ChmFile {
public:
    // Empty when the file is missing or is not a help file.
    static std::optional<ChmFile> open(const QString& path);

    // The whole object at a path inside the file ("/Training.htm"), or nothing
    // when there is no such object or it cannot be read in full.
    std::optional<QByteArray> read(const QString& objectPath) const;

private:
    struct Closer {
        void operator()(chmFile* file) const;
    };
    explicit ChmFile(std::shared_ptr<chmFile> file) : file_(std::move(file)) {}

    std::shared_ptr<chmFile> file_;
};

} // namespace kvarzel
