// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_file_path.h"

#include <algorithm>

namespace kvarzel {

QString HelpFilePathFor(const QString& executablePath) {
    // Only a dot in the file name itself starts an extension, not one in a folder name.
    const qsizetype nameStart =
        std::max(executablePath.lastIndexOf(u'/'), executablePath.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = executablePath.lastIndexOf(u'.');
    const QString stem = dot >= nameStart ? executablePath.left(dot) : executablePath;
    return stem + QStringLiteral(".chm");
}

} // namespace kvarzel
