// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QEnterEvent;
class QMenuBar;
class QWidget;

namespace kvarzel {

// The application's current hint: the status tip of the control under the
// mouse (or of its nearest parent that has one) or of the highlighted menu
// item; empty elsewhere. Status tips never reach Qt's own status-bar
// handling: HintChanged is the one way they are shown.
class ApplicationHint : public QObject {
    Q_OBJECT

public:
    // Created, with its event filter on the application, at first use.
    static ApplicationHint& Instance();

    QString Hint() const { return hint; }

    // Empties the hint; it comes back when the mouse reaches another control
    // or a menu item is highlighted.
    void CancelHint();

signals:
    void HintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ApplicationHint();

    void SetHint(const QString& value);
    void MouseEntered(QWidget* widget, const QEnterEvent* event);
    void MouseLeft(QWidget* widget);
    void WatchMenu(QWidget* widget);
    void MenuItemHighlighted(QAction* action);
    void ClearWhenNothingHighlighted(QMenuBar* menuBar);

    QString hint;
    QPointer<QWidget> underMouse;
    bool leavePending = false;
    bool hintOfMenu = false; // the hint is a menu item's
};

} // namespace kvarzel
