#pragma once

#include "core/shortcut.h"

#include <QLineEdit>

class QAction;

namespace kvarzel {

// A hot-key field: the key pressed while it has the focus, with its Shift,
// Ctrl and Alt state, becomes its value, shown as text. Every combination
// is taken, a plain key and modifiers alone too; a field showing no key
// reads 0. The cross button inside the field, and the same item of its
// context menu, clear it back to 0.
class THotKey : public QLineEdit {
    Q_OBJECT
public:
    explicit THotKey(QWidget* parent = nullptr);

    TShortCut HotKey() const { return hotKey_; }
    void SetHotKey(TShortCut value);

    QAction* ClearAction() const { return clearAction_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TShortCut hotKey_ = 0;
    QAction* clearAction_;
};

} // namespace kvarzel
