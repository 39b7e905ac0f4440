// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace kvarzel {

// A one-line field as accessibility tools see it: its text, caret and
// selection, editable unless the field is read-only. Qt's own interface tells
// each character's text attributes as a run of no length, and a screen
// reader that reads a field by its runs then drops the last character ("20.0"
// for "20.00", "100" for "1000"): here the whole text is one run.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* field, QAccessible::Role role = QAccessible::EditableText);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // As typed: the field's checks of characters and length apply.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

    // Installs the factory that gives the program's one-line fields this
    // interface; fields that hide their text keep Qt's.
    static void Install();

protected:
    QLineEdit* Field() const;
};

} // namespace kvarzel
