#include "ui/main/bucket_picture.h"

#include "ui/main/two_colour_render.h"

#include <QDirIterator>

namespace kvarzel {

namespace {

QImage renderBucketPicture(qreal ratio) {
    const QSize logical(kBucketPictureWidth, kBucketPictureHeight);
    QImage picture = renderTwoColour(QStringLiteral(":/art/bucket.svg"),
                                     (QSizeF(logical) * ratio).toSize(), Background::White);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace

QImage BucketPicture(qreal ratio) {
    static const QImage picture = renderBucketPicture(1.0);
    if (ratio == 1.0)
        return picture;
    // A HiDPI screen: the one other ratio in use is kept until the ratio changes.
    static QImage scaled;
    if (scaled.isNull() || scaled.devicePixelRatio() != ratio)
        scaled = renderBucketPicture(ratio);
    return scaled;
}

QIcon ProgramIcon() {
    // The build renders every size into the same hicolor tree it installs.
    QIcon icon;
    QDirIterator pictures(QStringLiteral(":/icons"), {QStringLiteral("kvarzel.png")}, QDir::Files,
                          QDirIterator::Subdirectories);
    while (pictures.hasNext())
        icon.addFile(pictures.next());
    return icon;
}

} // namespace kvarzel
