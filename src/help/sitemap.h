// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

namespace kvarzel {

// One entry of a help file's table of contents (.hhc) or index (.hhk).
struct SitemapEntry {
    QString Name;
    QString Local; // page inside the help file, possibly with "#anchor"; empty for a heading
    std::vector<SitemapEntry> Children;
};

// Reads the nested lists of "text/sitemap" objects; anything else in the text
// is skipped, and unbalanced lists are closed where the text ends.
std::vector<SitemapEntry> ParseSitemap(const QString& html);

} // namespace kvarzel
