// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/version_resource.h"

#include <QFile>

namespace kvarzel {
namespace {

// A Windows version resource cannot exceed 64 KiB; nothing longer is an entry of one.
constexpr qint64 MaxEntrySize = 0xFFFF;

} // namespace

VersionResource VersionResource::OfExecutable() {
    return VersionResource(QStringLiteral(":/version"));
}

std::optional<QString> VersionResource::Query(const QString& entryPath) const {
    QString relative = entryPath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return std::nullopt;
    QFile file(root_ + relative);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray text = file.read(MaxEntrySize);
    if (const qsizetype zero = text.indexOf('\0'); zero >= 0)
        text.truncate(zero);
    return QString::fromUtf8(text);
}

} // namespace kvarzel
