// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the help file: opening it, reading its table of contents and
// index, and reading the pages the viewer would show must neither crash nor
// hang, nor allocate without bound.
#include "help/help_address.h"
#include "help/help_document.h"
#include "help/help_topics.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The bytes as a regular file that the reader opens by name like any other.
QString AsFile(const std::uint8_t* data, std::size_t size) {
    static const int fd = ::memfd_create("kvarzel.chm", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

void ReadPages(const kvarzel::ChmFile& file, const std::vector<kvarzel::SitemapEntry>& entries) {
    for (const kvarzel::SitemapEntry& entry : entries) {
        if (!entry.Local.isEmpty())
            file.Read(u'/' + entry.Local.section(u'#', 0, 0));
        ReadPages(file, entry.Children);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvarzel;
    const auto document = LoadHelpDocument(AsFile(data, size));
    if (!document)
        return 0;
    for (const std::string_view topic : HelpTopics)
        document->File.Read(u'/' + HelpTopicPage(topic));
    ReadPages(document->File, document->Contents);
    ReadPages(document->File, document->Index);
    document->File.Read(u'/' + document->DefaultPage());
    return 0;
}
