#include "ui/common/screen_centre.h"

#include <QScreen>
#include <QWidget>

namespace kvarzel {

// A window's position is that of its frame, so the frame is what gets centred.
void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace kvarzel
