// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/chm_reader_system.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kvarzel {

namespace {

// Our help file needs a few hundred kilobytes at most (the LZX window and
// one directory chunk); anything near this comes from a damaged header.
constexpr std::size_t MaxAllocation = 64 * 1024 * 1024;

off_t FileSize(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? info.st_size : 0;
}

// Reads as much as asked unless the file ends: the reader takes a short read
// for the end of the file.
int ReadAt(int fd, char* buffer, int bytes, off_t position) {
    int done = 0;
    while (done < bytes) {
        const ssize_t got =
            ::pread(fd, buffer + done, static_cast<std::size_t>(bytes - done), position + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<int>(got);
    }
    return done;
}

} // namespace

struct ChmReaderSystem::Handle {
    ChmReaderSystem* Owner;
    bool IsHelpFile;
    off_t Position = 0;
    off_t Size = 0;
};

ChmReaderSystem::ChmReaderSystem(int helpFile)
    : methods_{{&Open, &Close, &Read, &Write, &Seek, &Tell, &Message, &Allocate, &Free, &Copy,
                nullptr},
               this},
      helpFile_(helpFile) {}

ChmReaderSystem::~ChmReaderSystem() {
    ::close(helpFile_);
}

void ChmReaderSystem::SetExtractionTarget(QByteArray* target, std::size_t limit) {
    target_ = target;
    targetLimit_ = limit;
}

mspack_file* ChmReaderSystem::Open(mspack_system* system, const char* name, int mode) {
    ChmReaderSystem* owner = reinterpret_cast<Methods*>(system)->Owner;
    if (mode == MSPACK_SYS_OPEN_READ && std::strcmp(name, HelpFileName) == 0) {
        return reinterpret_cast<mspack_file*>(
            new Handle{owner, true, 0, FileSize(owner->helpFile_)});
    }
    if (mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(name, ObjectName) == 0 &&
        owner->target_ != nullptr) {
        owner->target_->clear();
        return reinterpret_cast<mspack_file*>(new Handle{owner, false});
    }
    return nullptr;
}

void ChmReaderSystem::Close(mspack_file* file) {
    delete reinterpret_cast<Handle*>(file);
}

int ChmReaderSystem::Read(mspack_file* file, void* buffer, int bytes) {
    auto* handle = reinterpret_cast<Handle*>(file);
    if (!handle->IsHelpFile || bytes < 0) {
        return -1;
    }
    const int got =
        ReadAt(handle->Owner->helpFile_, static_cast<char*>(buffer), bytes, handle->Position);
    if (got > 0) {
        handle->Position += got;
    }
    return got;
}

int ChmReaderSystem::Write(mspack_file* file, void* buffer, int bytes) {
    auto* handle = reinterpret_cast<Handle*>(file);
    QByteArray* target = handle->Owner->target_;
    if (handle->IsHelpFile || bytes < 0 ||
        static_cast<std::size_t>(target->size()) + static_cast<std::size_t>(bytes) >
            handle->Owner->targetLimit_) {
        return -1;
    }
    target->append(static_cast<const char*>(buffer), bytes);
    return bytes;
}

int ChmReaderSystem::Seek(mspack_file* file, off_t offset, int mode) {
    auto* handle = reinterpret_cast<Handle*>(file);
    off_t base = 0;
    switch (mode) {
    case MSPACK_SYS_SEEK_START:
        break;
    case MSPACK_SYS_SEEK_CUR:
        base = handle->Position;
        break;
    case MSPACK_SYS_SEEK_END:
        base = handle->Size;
        break;
    default:
        return -1;
    }
    // Offsets come from the file: they may be anything, overflowing ones too.
    off_t position = 0;
    if (__builtin_add_overflow(base, offset, &position) || position < 0) {
        return -1;
    }
    handle->Position = position;
    return 0;
}

off_t ChmReaderSystem::Tell(mspack_file* file) {
    return reinterpret_cast<Handle*>(file)->Position;
}

// The reader's warnings about damaged files would only clutter the console.
void ChmReaderSystem::Message(mspack_file*, const char*, ...) {}

void* ChmReaderSystem::Allocate(mspack_system*, std::size_t bytes) {
    return bytes <= MaxAllocation ? std::malloc(bytes) : nullptr;
}

void ChmReaderSystem::Free(void* memory) {
    std::free(memory);
}

void ChmReaderSystem::Copy(void* source, void* destination, std::size_t bytes) {
    std::memcpy(destination, source, bytes);
}

} // namespace kvarzel
