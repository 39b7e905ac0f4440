// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/bring_to_front.h"

#include "platform/desktop/x11_window_frame.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace kvarzel {
namespace {

// The modal dialog the main window waits on, if one is open.
QWidget* FrontWindow(QWidget& mainWindow) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal->isVisible() ? modal : &mainWindow;
}

// Qt's Wayland windows take the token for their next activation from the
// environment, and use it up.
void ActivateOnWayland(QWidget& window, const std::string& token) {
    if (!token.empty())
        qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(token));
    window.activateWindow();
}

} // namespace

void BringToFront(QWidget& mainWindow, const HandOverRequest& request) {
    if (mainWindow.isMinimized())
        mainWindow.setWindowState(mainWindow.windowState() & ~Qt::WindowMinimized);
    mainWindow.show();
    QWidget& front = *FrontWindow(mainWindow);
    front.raise();
    if (RunsOnX11())
        ActivateX11Window(front.winId(), StartupIdTime(request.StartupId).value_or(0));
    else
        ActivateOnWayland(front, request.ActivationToken);
}

} // namespace kvarzel
