// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QTextCursor;
class QTextEdit;

namespace kvarzel {

// The help page as a screen reader walks it: a read-only document with a
// caret. Qt shows a text browser as a label, whose text can be read out
// whole but not walked: here the arrows move a caret whose line, word or
// character the reader speaks, and Tab's selection of a link is a selection
// of text it reads. Lines are the lines on the screen, not paragraphs.
class HelpPageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HelpPageAccessible(QTextEdit* page);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    // The text interface, in offsets of the page's plain text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Installs the factory that gives every help page this interface.
    static void Install();

private:
    QTextEdit* Page() const;
    QTextCursor CursorAt(int offset) const;
    // The screen line holding the offset, as [start, end) offsets.
    std::pair<int, int> LineAround(int offset) const;
    QString LineText(std::pair<int, int> line, int* startOffset, int* endOffset) const;
};

} // namespace kvarzel
