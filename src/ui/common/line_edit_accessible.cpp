// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/line_edit_accessible.h"

#include <QLineEdit>

#include <algorithm>

namespace kvarzel {
namespace {

// Asked for each class a field is, from its own up: a field of a class of its
// own is left to that class's factory, and this one takes it as a QLineEdit.
QAccessibleInterface* LineEditAccessibleFactory(const QString& className, QObject* object) {
    auto* field = qobject_cast<QLineEdit*>(object);
    if (className != QLatin1String("QLineEdit") || !field ||
        field->echoMode() != QLineEdit::Normal)
        return nullptr;
    return new LineEditAccessible(field);
}

} // namespace

LineEditAccessible::LineEditAccessible(QLineEdit* field, QAccessible::Role role)
    : QAccessibleWidget(field, role) {}

void LineEditAccessible::Install() {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(LineEditAccessibleFactory);
}

QLineEdit* LineEditAccessible::Field() const {
    return static_cast<QLineEdit*>(widget());
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface && !Field()->isReadOnly())
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LineEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Field()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    return state;
}

QString LineEditAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value)
        return Field()->text();
    return QAccessibleWidget::text(kind);
}

void LineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const bool any = selectionIndex == 0 && Field()->hasSelectedText();
    *startOffset = any ? Field()->selectionStart() : 0;
    *endOffset = any ? Field()->selectionEnd() : 0;
}

int LineEditAccessible::selectionCount() const {
    return Field()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        Field()->deselect();
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    const int start = std::clamp(startOffset, 0, characterCount());
    Field()->setSelection(start, std::clamp(endOffset, start, characterCount()) - start);
}

int LineEditAccessible::cursorPosition() const {
    return Field()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position) {
    Field()->setCursorPosition(position);
}

QString LineEditAccessible::text(int startOffset, int endOffset) const {
    const QString all = Field()->text();
    const int start = std::clamp(startOffset, 0, static_cast<int>(all.size()));
    // -1 as the end means the end of the text.
    const int end = endOffset < 0 ? static_cast<int>(all.size())
                                  : std::clamp(endOffset, start, static_cast<int>(all.size()));
    return all.mid(start, end - start);
}

int LineEditAccessible::characterCount() const {
    return static_cast<int>(Field()->text().size());
}

// Where the character stands in the unscrolled text: exact for figures and keys, which
// never scroll, and near enough for a long file name.
QRect LineEditAccessible::characterRect(int offset) const {
    const QFontMetrics metrics = Field()->fontMetrics();
    const QRect inside = Field()->contentsRect().marginsRemoved(Field()->textMargins());
    const int left = inside.left() + metrics.horizontalAdvance(text(0, offset));
    const QRect place(left, inside.top() + (inside.height() - metrics.height()) / 2,
                      metrics.horizontalAdvance(text(offset, offset + 1)), metrics.height());
    return {Field()->mapToGlobal(place.topLeft()), place.size()};
}

int LineEditAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = Field()->mapFromGlobal(point);
    return Field()->rect().contains(local) ? Field()->cursorPositionAt(local) : -1;
}

void LineEditAccessible::scrollToSubstring(int, int) {}

QString LineEditAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void LineEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, {});
}

void LineEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

// In one step, which the field takes whole or refuses whole.
void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (Field()->isReadOnly())
        return;
    const int start = std::clamp(startOffset, 0, characterCount());
    const int end = endOffset < 0 ? characterCount() : std::clamp(endOffset, start, characterCount());
    if (end > start)
        Field()->setSelection(start, end - start);
    else
        Field()->setCursorPosition(start);
    Field()->insert(text);
}

} // namespace kvarzel
