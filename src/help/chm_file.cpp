// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/chm_file.h"

#include "help/chm_reader_system.h"
#include "platform/files/file_descriptor.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace kvarzel {

namespace {

// Bounds what a damaged file can make us allocate; the pages are a few kilobytes.
constexpr off_t MaxObjectSize = 64 * 1024 * 1024;

// Only a regular file is read. Opening does not wait, so a pipe put in the
// help file's place cannot hold the program.
int OpenRegularFile(const QString& path) {
    FileDescriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return fd.Release();
}

bool ReaderMatchesItsLibrary() {
    int result = MSPACK_ERR_OK;
    MSPACK_SYS_SELFTEST(result);
    return result == MSPACK_ERR_OK;
}

} // namespace

// The reader, its view of the file's directory, and the file they read.
class ChmFile::Archive {
public:
    explicit Archive(int fd)
        : system_(fd), reader_(mspack_create_chm_decompressor(system_.System())) {
        if (reader_ != nullptr) {
            header_ = reader_->open(reader_, ChmReaderSystem::HelpFileName);
        }
    }
    ~Archive() {
        if (header_ != nullptr) {
            reader_->close(reader_, header_);
        }
        if (reader_ != nullptr) {
            mspack_destroy_chm_decompressor(reader_);
        }
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsOpen() const { return header_ != nullptr; }

    std::optional<QByteArray> Read(const QByteArray& name) {
        mschmd_file* object = Find(name);
        if (object == nullptr || object->length < 0 || object->length > MaxObjectSize) {
            return std::nullopt;
        }
        QByteArray data;
        system_.SetExtractionTarget(&data, static_cast<std::size_t>(object->length));
        const int error = reader_->extract(reader_, object, ChmReaderSystem::ObjectName);
        system_.SetExtractionTarget(nullptr, 0);
        if (error != MSPACK_ERR_OK || data.size() != object->length) {
            return std::nullopt;
        }
        return data;
    }

private:
    mschmd_file* Find(const QByteArray& name) const {
        for (mschmd_file* file = header_->files; file != nullptr; file = file->next) {
            if (file->filename != nullptr && name == file->filename) {
                return file;
            }
        }
        return nullptr;
    }

    ChmReaderSystem system_;
    mschm_decompressor* reader_;
    mschmd_header* header_ = nullptr;
};

std::optional<ChmFile> ChmFile::Open(const QString& path) {
    static const bool usable = ReaderMatchesItsLibrary();
    if (path.isEmpty() || !usable) {
        return std::nullopt;
    }
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        return std::nullopt;
    }
    auto archive = std::make_shared<Archive>(fd);
    if (!archive->IsOpen()) {
        return std::nullopt;
    }
    return ChmFile(std::move(archive));
}

std::optional<QByteArray> ChmFile::Read(const QString& objectPath) const {
    if (objectPath.isEmpty()) {
        return std::nullopt;
    }
    return archive_->Read(objectPath.toUtf8());
}

} // namespace kvarzel
