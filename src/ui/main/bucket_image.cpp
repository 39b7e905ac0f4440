// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/bucket_image.h"

#include <QMouseEvent>
#include <QPixmap>

namespace kvarzel {

void TImage::SetPicture(PictureSource source) {
    picture_ = std::move(source);
    ShowPictureAtScreenRatio();
}

void TImage::ShowPictureAtScreenRatio() {
    if (picture_)
        setPixmap(QPixmap::fromImage(picture_(devicePixelRatioF())));
}

void TImage::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
    event->accept();
}

void TImage::paintEvent(QPaintEvent* event) {
    // The window may have moved to a screen of another scale since the last paint.
    if (pixmap().devicePixelRatio() != devicePixelRatioF())
        ShowPictureAtScreenRatio();
    QLabel::paintEvent(event);
}

} // namespace kvarzel
