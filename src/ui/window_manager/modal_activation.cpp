// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/modal_activation.h"

#include <QGuiApplication>
#include <QWindow>

namespace kvarzel {
namespace {

// `ancestor` is `window` itself or a window it belongs to, as a child or as
// a transient window such as a dialog.
bool BelongsTo(const QWindow* window, const QWindow* ancestor) {
    for (; window != nullptr;
         window = window->transientParent() ? window->transientParent() : window->parent()) {
        if (window == ancestor)
            return true;
    }
    return false;
}

bool IsBlockedBy(const QWindow* window, const QWindow* modal) {
    if (BelongsTo(window, modal))
        return false;
    // A window-modal dialog blocks only the windows it belongs to; an
    // independent window such as the help viewer stays usable.
    return modal->modality() == Qt::ApplicationModal || BelongsTo(modal, window);
}

void PassActivationToModal(QWindow* focused) {
    QWindow* modal = QGuiApplication::modalWindow();
    if (focused != nullptr && modal != nullptr && modal->isVisible() && IsBlockedBy(focused, modal))
        modal->requestActivate();
}

} // namespace

void KeepActivationWithModalDialogs() {
    static const QGuiApplication* watched = nullptr;
    if (watched == qGuiApp)
        return;
    watched = qGuiApp;
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, qGuiApp,
                     &PassActivationToModal);
}

} // namespace kvarzel
