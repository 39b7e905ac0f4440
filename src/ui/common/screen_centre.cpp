#include "ui/common/screen_centre.h"

#include <QScreen>
#include <QWidget>

namespace kvarzel {

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace kvarzel
