#include "ui/main/bucket_image.h"

#include <QMouseEvent>

namespace kvarzel {

void TImage::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
    event->accept();
}

} // namespace kvarzel
