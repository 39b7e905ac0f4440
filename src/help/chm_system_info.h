// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kvarzel {

// What the help compiler recorded about the project in the file's "/#SYSTEM" object.
struct ChmSystemInfo {
    QString ContentsFile; // e.g. "kvarzel.hhc"
    QString IndexFile;
    QString DefaultTopic; // e.g. "UserIface.htm"
    QString Title;
};

// Reads the records it knows and skips the others; a truncated or damaged
// object gives whatever was read before the damage.
ChmSystemInfo ParseChmSystemInfo(const QByteArray& data);

} // namespace kvarzel
