// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace kvarzel {

// A dialog whose F1 opens the help topic of the dialog's own help context,
// whatever control inside has the focus; the dialog stays open.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    HelpDialog(QWidget* parent, int helpContext);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // F1: the topic of the dialog's help context.
    virtual void ShowDialogHelp();
    // Centres the dialog on the screen at its first show only.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool shownBefore_ = false;
};

} // namespace kvarzel
