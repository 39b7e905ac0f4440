// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/bucket_picture.h"

#include "ui/art/two_colour_render.h"

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

} // namespace kvarzel
