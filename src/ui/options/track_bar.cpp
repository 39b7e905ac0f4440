// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/track_bar.h"

#include <QKeyEvent>

namespace kvarzel {

void TrackBar::keyPressEvent(QKeyEvent* event) {
    // Qt's slider counts Up and Page Up upwards; the keys that move left and
    // right keep Qt's handling.
    switch (event->key()) {
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
    default:
        QSlider::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace kvarzel
