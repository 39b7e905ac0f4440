// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/dialog_keys.h"

#include "help/help.h"
#include "ui/common/help_context.h"
#include "ui/window_manager/modal_minimise.h"
#include "ui/window_manager/screen_centre.h"

#include <QApplication>
#include <QKeyEvent>

namespace kvarzel {

HelpDialog::HelpDialog(QWidget* parent, int helpContext) : QDialog(parent) {
    SetHelpContext(this, helpContext);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // Modal to the main window only, so that the help window F1 opens stays usable.
    setWindowModality(Qt::WindowModal);
}

bool HelpDialog::eventFilter(QObject* watched, QEvent* event) {
    // Key preview: F1 anywhere inside the dialog opens the dialog's topic.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && isVisible()) {
            ShowDialogHelp();
            return true;
        }
    }
    return false;
}

void HelpDialog::ShowDialogHelp() {
    ShowHelpTopic(HelpContext(this));
}

// The key preview listens only while the dialog is shown. A dialog made by
// work that runs while the application's filters are being called (work
// deferred to the first paint runs while an answer is processed) must not
// install a filter then: Qt's list of filters would shift under its loop and
// hand the same key to the main window's filter twice.
void HelpDialog::showEvent(QShowEvent* event) {
    qApp->installEventFilter(this);
    LeaveOutMinimiseButton(*this);
    QDialog::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    CentreOnScreen(*this);
}

void HelpDialog::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

} // namespace kvarzel
