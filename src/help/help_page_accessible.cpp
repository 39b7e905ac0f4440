// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_page_accessible.h"

#include "help/help_page_browser.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace kvarzel {
namespace {

QAccessibleInterface* HelpPageAccessibleFactory(const QString&, QObject* object) {
    if (auto* page = qobject_cast<HelpPageBrowser*>(object))
        return new HelpPageAccessible(page);
    return nullptr;
}

} // namespace

HelpPageAccessible::HelpPageAccessible(QTextEdit* page)
    : QAccessibleWidget(page, QAccessible::Document) {}

void HelpPageAccessible::Install() {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(HelpPageAccessibleFactory);
}

QTextEdit* HelpPageAccessible::Page() const {
    return static_cast<QTextEdit*>(widget());
}

void* HelpPageAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State HelpPageAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QTextCursor HelpPageAccessible::CursorAt(int offset) const {
    QTextCursor cursor(Page()->document());
    cursor.setPosition(std::clamp(offset, 0, characterCount()));
    return cursor;
}

void HelpPageAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const QTextCursor cursor = Page()->textCursor();
    const bool any = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = any ? cursor.selectionStart() : 0;
    *endOffset = any ? cursor.selectionEnd() : 0;
}

int HelpPageAccessible::selectionCount() const {
    return Page()->textCursor().hasSelection() ? 1 : 0;
}

void HelpPageAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void HelpPageAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = Page()->textCursor();
    cursor.clearSelection();
    Page()->setTextCursor(cursor);
}

void HelpPageAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = CursorAt(startOffset);
    cursor.setPosition(std::clamp(endOffset, 0, characterCount()), QTextCursor::KeepAnchor);
    Page()->setTextCursor(cursor);
}

int HelpPageAccessible::cursorPosition() const {
    return Page()->textCursor().position();
}

void HelpPageAccessible::setCursorPosition(int position) {
    Page()->setTextCursor(CursorAt(position));
}

QString HelpPageAccessible::text(int startOffset, int endOffset) const {
    const QString all = Page()->document()->toPlainText();
    const int start = std::clamp(startOffset, 0, static_cast<int>(all.size()));
    // -1 as the end means the end of the text.
    const int end = endOffset < 0 ? static_cast<int>(all.size())
                                  : std::clamp(endOffset, start, static_cast<int>(all.size()));
    return all.mid(start, end - start);
}

int HelpPageAccessible::characterCount() const {
    return static_cast<int>(Page()->document()->toPlainText().size());
}

std::pair<int, int> HelpPageAccessible::LineAround(int offset) const {
    const QTextDocument& document = *Page()->document();
    QTextBlock block = document.findBlock(std::clamp(offset, 0, characterCount()));
    if (!block.isValid())
        block = document.lastBlock();
    const int blockStart = block.position();
    // The paragraph separator belongs to the paragraph's last line.
    const int blockEnd =
        std::min(blockStart + block.length() - (block.next().isValid() ? 0 : 1), characterCount());
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return {blockStart, blockEnd};
    QTextLine line = layout->lineForTextPosition(offset - blockStart);
    if (!line.isValid())
        line = layout->lineAt(layout->lineCount() - 1);
    const int start = blockStart + line.textStart();
    const bool last = line.lineNumber() == layout->lineCount() - 1;
    return {start, last ? blockEnd : start + line.textLength()};
}

QString HelpPageAccessible::LineText(std::pair<int, int> line, int* startOffset,
                                     int* endOffset) const {
    *startOffset = line.first;
    *endOffset = line.second;
    return text(line.first, line.second);
}

QString HelpPageAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    if (boundaryType != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset,
                                                      endOffset);
    return LineText(LineAround(offset), startOffset, endOffset);
}

QString HelpPageAccessible::textBeforeOffset(int offset,
                                             QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    if (boundaryType != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset,
                                                          endOffset);
    const int lineStart = LineAround(offset).first;
    if (lineStart == 0) {
        *startOffset = *endOffset = -1;
        return {};
    }
    return LineText(LineAround(lineStart - 1), startOffset, endOffset);
}

QString HelpPageAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    if (boundaryType != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset,
                                                         endOffset);
    const int lineEnd = LineAround(offset).second;
    if (lineEnd >= characterCount()) {
        *startOffset = *endOffset = -1;
        return {};
    }
    return LineText(LineAround(lineEnd), startOffset, endOffset);
}

QRect HelpPageAccessible::characterRect(int offset) const {
    const QTextCursor cursor = CursorAt(offset);
    QRect place = Page()->cursorRect(cursor);
    const QString character = text(offset, offset + 1);
    if (!character.isEmpty())
        place.setWidth(Page()->fontMetrics().horizontalAdvance(character));
    place.moveTopLeft(Page()->viewport()->mapToGlobal(place.topLeft()));
    return place;
}

int HelpPageAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = Page()->viewport()->mapFromGlobal(point);
    if (!Page()->viewport()->rect().contains(local))
        return -1;
    return Page()->cursorForPosition(local).position();
}

// Only the view moves: the caret stays where the reader left it.
void HelpPageAccessible::scrollToSubstring(int startIndex, int) {
    const QRect place = Page()->cursorRect(CursorAt(startIndex));
    QScrollBar* scrollBar = Page()->verticalScrollBar();
    if (place.top() < 0 || place.bottom() > Page()->viewport()->height())
        scrollBar->setValue(scrollBar->value() + place.top());
}

// No text attributes are told: the whole text is one run.
QString HelpPageAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace kvarzel
