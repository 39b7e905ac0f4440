// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstddef>
#include <mspack.h>

namespace kvarzel {

// The file access and memory that libmspack's CHM reader gets from us. The
// help file is opened once, by us, and read through that one descriptor, so
// the reader never opens anything by name; objects are extracted into memory,
// never to disk. Allocations beyond a fixed bound are refused, so a damaged
// header cannot make us allocate gigabytes.
class ChmReaderSystem {
public:
    // The names the reader is given for the help file and for the object
    // being extracted; it passes them back when it opens either.
    static constexpr const char* HelpFileName = "help file";
    static constexpr const char* ObjectName = "object";

    // Takes over the descriptor of an opened regular file.
    explicit ChmReaderSystem(int helpFile);
    ~ChmReaderSystem();
    ChmReaderSystem(const ChmReaderSystem&) = delete;
    ChmReaderSystem& operator=(const ChmReaderSystem&) = delete;

    mspack_system* System() { return &methods_.System; }

    // Where the next extraction writes to, and how much it may write; a
    // longer object is cut off with a write error.
    void SetExtractionTarget(QByteArray* target, std::size_t limit);

private:
    // libmspack hands the system back to open(); it finds us from there.
    struct Methods {
        mspack_system System;
        ChmReaderSystem* Owner;
    };
    struct Handle;

    static mspack_file* Open(mspack_system* system, const char* name, int mode);
    static void Close(mspack_file* file);
    static int Read(mspack_file* file, void* buffer, int bytes);
    static int Write(mspack_file* file, void* buffer, int bytes);
    static int Seek(mspack_file* file, off_t offset, int mode);
    static off_t Tell(mspack_file* file);
    static void Message(mspack_file* file, const char* format, ...);
    static void* Allocate(mspack_system* system, std::size_t bytes);
    static void Free(void* memory);
    static void Copy(void* source, void* destination, std::size_t bytes);

    Methods methods_;
    int helpFile_;
    QByteArray* target_ = nullptr;
    std::size_t targetLimit_ = 0;
};

} // namespace kvarzel
