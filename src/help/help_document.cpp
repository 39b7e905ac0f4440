// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_document.h"

#include "help/help_text.h"

namespace kvarzel {

namespace {

std::vector<SitemapEntry> ReadSitemap(const ChmFile& file, const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    const auto data = file.Read(u'/' + name);
    return data ? ParseSitemap(DecodeHelpText(*data)) : std::vector<SitemapEntry>{};
}

QString FirstPage(const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        if (!entry.Local.isEmpty()) {
            return entry.Local;
        }
        if (QString page = FirstPage(entry.Children); !page.isEmpty()) {
            return page;
        }
    }
    return {};
}

} // namespace

QString HelpDocument::DefaultPage() const {
    return System.DefaultTopic.isEmpty() ? FirstPage(Contents) : System.DefaultTopic;
}

std::optional<HelpDocument> LoadHelpDocument(const QString& path) {
    std::optional<ChmFile> file = ChmFile::Open(path);
    if (!file) {
        return std::nullopt;
    }
    const auto systemData = file->Read(QStringLiteral("/#SYSTEM"));
    ChmSystemInfo system = systemData ? ParseChmSystemInfo(*systemData) : ChmSystemInfo{};
    auto contents = ReadSitemap(*file, system.ContentsFile);
    auto index = ReadSitemap(*file, system.IndexFile);
    return HelpDocument{path, std::move(*file), std::move(system), std::move(contents),
                        std::move(index)};
}

} // namespace kvarzel
