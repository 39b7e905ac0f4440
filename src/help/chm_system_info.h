// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kvarzel {

// What the help compiler recorded about the project in the file's "/#SYSTEM" object.
struct ChmSystemInfo {
    QString contentsFile; // e.g. "kvarzel.hhc"
    QString indexFile;
    QString defaultTopic; // e.g. "UserIface.htm"
    QString title;
};

// Reads the records it knows and skips the others; a truncated or damaged
// object gives whatever was read before the damage.
ChmSystemInfo ParseChmSystemInfo(const QByteArray& data);

} // namespace kvarzel
