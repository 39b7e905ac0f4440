// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kvarzel::testing {

// The help file compiled by the build.
inline QString BuiltHelpFile() {
    return QStringLiteral(KVARZEL_HELP_FILE);
}

} // namespace kvarzel::testing
