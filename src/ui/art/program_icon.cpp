// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/art/program_icon.h"

#include "ui/art/icon_render.h"

#include <QDirIterator>

namespace kvarzel {

// The build renders the icon at every size it installs into the ":/icons"
// hicolor tree, so no start has to draw them.
QIcon ProgramIcon() {
    QIcon icon;
    QDirIterator pictures(QStringLiteral(":/icons"), {QStringLiteral("kvarzel.png")}, QDir::Files,
                          QDirIterator::Subdirectories);
    while (pictures.hasNext())
        icon.addFile(pictures.next());
    return icon;
}

QImage ProgramIconImage(int size) {
    const QImage rendered(QStringLiteral(":/icons/%1x%1/apps/kvarzel.png").arg(size));
    if (!rendered.isNull())
        return rendered.convertToFormat(QImage::Format_ARGB32);
    return RenderProgramIcon(QStringLiteral(":/art/icon_small.svg"),
                             QStringLiteral(":/art/icon.svg"), size);
}

} // namespace kvarzel
