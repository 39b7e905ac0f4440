// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/chm_file.h"
#include "help/chm_system_info.h"
#include "help/sitemap.h"

#include <optional>
#include <vector>

namespace kvarzel {

// An opened help file with its table of contents and index read once.
struct HelpDocument {
    QString Path;
    ChmFile File;
    ChmSystemInfo System;
    std::vector<SitemapEntry> Contents;
    std::vector<SitemapEntry> Index;

    // The page shown for the table of contents: the project's default topic,
    // else the first page of the contents; empty when the file names none.
    QString DefaultPage() const;
};

// Empty when the file is missing or is not a help file.
std::optional<HelpDocument> LoadHelpDocument(const QString& path);

} // namespace kvarzel
