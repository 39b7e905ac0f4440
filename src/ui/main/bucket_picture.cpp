#include "ui/main/bucket_picture.h"

#include "ui/main/two_colour_render.h"

#include <QDirIterator>

namespace kvarzel {

QImage BucketPicture() {
    static const QImage picture =
        renderTwoColour(QStringLiteral(":/art/bucket.svg"),
                        QSize(kBucketPictureWidth, kBucketPictureHeight), Background::White);
    return picture;
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
