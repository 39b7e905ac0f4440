// SPDX-License-Identifier: GPL-3.0-or-later
// The bucket picture alone and with the training page's controls sketched in
// where they lie on it, and the program icon at every size.
#include "screenshot_registry.h"

#include "ui/art/icon_render.h"
#include "ui/art/program_icon.h"
#include "ui/art/two_colour_render.h"
#include "ui/main/bucket_picture.h"

#include <QPainter>

namespace {

using kvarzel::BucketPicture;

// Places of the controls on the picture (the picture stands at 6, 6 on the page).
const QRect kSignalCircle(140, 60, 40, 40);
const QRect kWhiteButton(12, 187, 75, 25);
const QRect kBlackButton(226, 187, 75, 25);

QString PathOf(const QString& folder, const QString& name) {
    return folder + "/" + name + ".png";
}

bool SaveBucketPicture(const QString& folder) {
    const QImage picture = BucketPicture();
    return picture.save(PathOf(folder, "bucket_picture")) &&
           picture.scaled(picture.size() * 3).save(PathOf(folder, "bucket_picture_3x"));
}

bool SaveBucketLayout(const QString& folder) {
    QImage layout = BucketPicture().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&layout);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::red);
    painter.drawEllipse(kSignalCircle.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::lightGray);
    painter.drawRect(kWhiteButton.adjusted(0, 0, -1, -1));
    painter.drawRect(kBlackButton.adjusted(0, 0, -1, -1));
    painter.end();
    return layout.save(PathOf(folder, "bucket_layout")) &&
           layout.scaled(layout.size() * 3).save(PathOf(folder, "bucket_layout_3x"));
}

// Every icon size on a light and on a dark strip, so a missing white fill shows.
bool SaveIconSizes(const QString& folder) {
    const QIcon icon = kvarzel::ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    int width = 8;
    for (const QSize& size : sizes) {
        width += size.width() + 8;
    }
    QImage sheet(width, 2 * (256 + 16), QImage::Format_RGB32);
    sheet.fill(QColor(220, 220, 220));
    QPainter painter(&sheet);
    painter.fillRect(0, 256 + 16, width, 256 + 16, QColor(40, 60, 90));
    int x = 8;
    for (const QSize& size : sizes) {
        const QPixmap pixmap = icon.pixmap(size);
        painter.drawPixmap(x, 8, pixmap);
        painter.drawPixmap(x, 256 + 24, pixmap);
        x += size.width() + 8;
    }
    painter.end();
    return sheet.save(PathOf(folder, "program_icon_sizes"));
}

// The small sizes black and white (top; at 16 pixels the small drawing) and smooth (bottom),
// enlarged eight times, on light and dark ground: the comparison that chose the looks.
bool SaveSmallIconLooks(const QString& folder) {
    constexpr int kZoom = 8;
    const QList<int> sizes = {16, 22, 24, 32};
    QImage sheet(kZoom * (16 + 22 + 24 + 32 + 5 * 4) * 2, kZoom * (2 * 32 + 12),
                 QImage::Format_RGB32);
    sheet.fill(QColor(220, 220, 220));
    QPainter painter(&sheet);
    painter.fillRect(sheet.width() / 2, 0, sheet.width() / 2, sheet.height(), QColor(40, 60, 90));
    for (const int half : {0, 1}) {
        int x = half * sheet.width() / 2 + 4 * kZoom;
        for (const int size : sizes) {
            const QImage looks[] = {kvarzel::RenderTwoColour(":/art/icon.svg", QSize(size, size),
                                                             kvarzel::Background::Transparent),
                                    kvarzel::RenderSmoothIcon(":/art/icon.svg", size)};
            for (int row = 0; row < 2; ++row)
                painter.drawImage(QPoint(x, (4 + row * 36) * kZoom),
                                  looks[row].scaled(looks[row].size() * kZoom));
            x += (size + 4) * kZoom;
        }
    }
    painter.end();
    return sheet.save(PathOf(folder, "program_icon_small_looks"));
}

const kvarzel::screenshots::Register smallLooks{"program_icon_small_looks", SaveSmallIconLooks};
const kvarzel::screenshots::Register picture{"bucket_picture", SaveBucketPicture};
const kvarzel::screenshots::Register layout{"bucket_layout", SaveBucketLayout};
const kvarzel::screenshots::Register icons{"program_icon_sizes", SaveIconSizes};

} // namespace
