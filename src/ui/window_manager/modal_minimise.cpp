// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/modal_minimise.h"

#include "platform/desktop/x11_window_frame.h"

#include <QWidget>

namespace kvarzel {

void LeaveOutMinimiseButton(QWidget& dialog) {
    if (!RunsOnX11() || dialog.windowModality() == Qt::NonModal ||
        X11ManagerName() != QLatin1String("Openbox"))
        return;
    SetX11WindowTypes(dialog.winId(),
                      {"_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_DIALOG"});
}

} // namespace kvarzel
