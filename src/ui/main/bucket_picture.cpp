#include "ui/main/bucket_picture.h"

#include "ui/main/two_colour_render.h"

#include <QPixmap>

#include <array>

namespace kvarzel {

namespace {

// The small sizes have their own drawing on a 16-pixel grid: the large one
// scaled down would lose its lines.
constexpr int kLargestSmallIconSize = 16;
constexpr std::array kIconSizes{16, 24, 32, 48, 64, 256};

QString iconSourceFor(int size) {
    return size <= kLargestSmallIconSize ? QStringLiteral(":/art/icon_small.svg")
                                         : QStringLiteral(":/art/icon.svg");
}

} // namespace

QImage BucketPicture() {
    static const QImage picture =
        renderTwoColour(QStringLiteral(":/art/bucket.svg"),
                        QSize(kBucketPictureWidth, kBucketPictureHeight), Background::White);
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

QImage ProgramIconImage(int size) {
    return renderTwoColour(iconSourceFor(size), QSize(size, size), Background::Transparent);
}

} // namespace kvarzel
