// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program icon into a hicolor icon tree at build time:
//   kvarzel_render_icons <output folder> <small svg> <large svg> <size>...
// writes <output folder>/<size>x<size>/apps/kvarzel.png for every size, each
// drawn as the program draws its icon at that size.
#include "ui/art/icon_render.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

bool RenderIcon(const QString& folder, const QString& smallSvg, const QString& largeSvg, int size) {
    const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    const QImage image = kvarzel::RenderProgramIcon(smallSvg, largeSvg, size);
    return !image.isNull() && QDir().mkpath(sizeFolder) &&
           image.save(sizeFolder + QStringLiteral("/kvarzel.png"));
}

int Fail(const QString& message) {
    QTextStream(stderr) << "kvarzel_render_icons: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 5)
        return Fail(QStringLiteral("usage: <output folder> <small svg> <large svg> <size>..."));
    for (qsizetype index = 4; index < arguments.size(); ++index) {
        bool isNumber = false;
        const int size = arguments[index].toInt(&isNumber);
        if (!isNumber || size <= 0)
            return Fail(QStringLiteral("not an icon size: ") + arguments[index]);
        if (!RenderIcon(arguments[1], arguments[2], arguments[3], size))
            return Fail(QStringLiteral("cannot render the icon at %1 pixels").arg(size));
    }
    return 0;
}
