// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/version_resource.h"

#include <QString>

namespace kvarzel {

// The ten text entries of the executable's version resource, in the order
// they are read.
struct VersionStrings {
    QString CompanyName;
    QString LegalTrademarks;
    QString LegalCopyright;
    QString ProductName;
    QString ProductVersion;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString OriginalFilename;
    QString Comments;
};

// Fills every field from the Russian block "041904E3" of the resource; an
// entry that is missing (or a missing resource or block) keeps its default:
// "1.0.0.0" for both versions, empty for the rest. Never fails; caches nothing.
void ReadVersionStrings(VersionStrings& strings,
                        const VersionResource& resource = VersionResource::OfExecutable());

} // namespace kvarzel
