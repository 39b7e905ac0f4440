// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/bucket_picture.h"

#include "ui/main/icon_render.h"
#include "ui/main/two_colour_render.h"

#include <QDirIterator>

namespace kvarzel {

namespace {

QImage RenderBucketPicture(qreal ratio) {
    const QSize logical(kBucketPictureWidth, kBucketPictureHeight);
    QImage picture = RenderTwoColour(QStringLiteral(":/art/bucket.svg"),
                                     (QSizeF(logical) * ratio).toSize(), Background::White);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

// The build has drawn the picture for a screen of one pixel per point.
QImage BuiltBucketPicture() {
    return QImage(QStringLiteral(":/art/bucket.png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage BucketPicture(qreal ratio) {
    static const QImage picture = BuiltBucketPicture();
    if (ratio == 1.0)
        return picture;
    // A HiDPI screen: the one other ratio in use is kept until the ratio changes.
    static QImage scaled;
    if (scaled.isNull() || scaled.devicePixelRatio() != ratio)
        scaled = RenderBucketPicture(ratio);
    return scaled;
}

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
