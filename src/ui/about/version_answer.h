// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/version_resource.h"

#include <string>

namespace kvarzel {

// What `kvarzel --version` prints, as GNU programs have it: "kvarzel" and the
// version the About dialog shows (the resource's four-part FileVersion) on
// the first line, then the copyright and the licence.
std::string VersionAnswer(const VersionResource& resource = VersionResource::OfExecutable());

} // namespace kvarzel
