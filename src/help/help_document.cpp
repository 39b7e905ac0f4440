// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_document.h"

#include "help/help_text.h"

namespace kvarzel {

namespace {

std::vector<SitemapEntry> readSitemap(const ChmFile& file, const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    const auto data = file.read(u'/' + name);
    return data ? ParseSitemap(DecodeHelpText(*data)) : std::vector<SitemapEntry>{};
}

QString firstPage(const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        if (!entry.local.isEmpty()) {
            return entry.local;
        }
        if (QString page = firstPage(entry.children); !page.isEmpty()) {
            return page;
        }
    }
    return {};
}

} // namespace

QString HelpDocument::defaultPage() const {
    return system.defaultTopic.isEmpty() ? firstPage(contents) : system.defaultTopic;
}

std::optional<HelpDocument> LoadHelpDocument(const QString& path) {
    std::optional<ChmFile> file = ChmFile::open(path);
    if (!file) {
        return std::nullopt;
    }
    const auto systemData = file->read(QStringLiteral("/#SYSTEM"));
    ChmSystemInfo system = systemData ? ParseChmSystemInfo(*systemData) : ChmSystemInfo{};
    auto contents = readSitemap(*file, system.contentsFile);
    auto index = readSitemap(*file, system.indexFile);
    return HelpDocument{path, std::move(*file), std::move(system), std::move(contents),
                        std::move(index)};
}

} // namespace kvarzel
