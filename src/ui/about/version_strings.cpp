// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/version_strings.h"

#include <array>

namespace kvarzel {
namespace {

// The only block consulted; the resource's translation list is not read.
constexpr auto BlockPath = "\\StringFileInfo\\041904E3\\";
constexpr auto DefaultVersion = "1.0.0.0";

struct Entry {
    const char* Key;
    QString VersionStrings::*Field;
};

constexpr std::array<Entry, 10> Entries{{
    {"CompanyName", &VersionStrings::CompanyName},
    {"LegalTrademarks", &VersionStrings::LegalTrademarks},
    {"LegalCopyright", &VersionStrings::LegalCopyright},
    {"ProductName", &VersionStrings::ProductName},
    {"ProductVersion", &VersionStrings::ProductVersion},
    {"FileDescription", &VersionStrings::FileDescription},
    {"FileVersion", &VersionStrings::FileVersion},
    {"InternalName", &VersionStrings::InternalName},
    {"OriginalFilename", &VersionStrings::OriginalFilename},
    {"Comments", &VersionStrings::Comments},
}};

} // namespace

void ReadVersionStrings(VersionStrings& strings, const VersionResource& resource) {
    strings = VersionStrings{};
    strings.ProductVersion = QLatin1String(DefaultVersion);
    strings.FileVersion = QLatin1String(DefaultVersion);
    for (const Entry& entry : Entries)
        if (auto text = resource.Query(QLatin1String(BlockPath) + QLatin1String(entry.Key)))
            strings.*entry.Field = std::move(*text);
}

} // namespace kvarzel
