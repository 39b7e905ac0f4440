// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/bucket_view.h"

#include <QMouseEvent>
#include <QPixmap>

namespace kvarzel {

void BucketView::SetPicture(PictureSource source) {
    picture_ = std::move(source);
    ShowPictureAtScreenRatio();
}

void BucketView::ShowPictureAtScreenRatio() {
    if (picture_)
        setPixmap(QPixmap::fromImage(picture_(devicePixelRatioF())));
}

void BucketView::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
    event->accept();
}

void BucketView::paintEvent(QPaintEvent* event) {
    // The window may have moved to a screen of another scale since the last paint.
    if (pixmap().devicePixelRatio() != devicePixelRatioF())
        ShowPictureAtScreenRatio();
    QLabel::paintEvent(event);
}

} // namespace kvarzel
