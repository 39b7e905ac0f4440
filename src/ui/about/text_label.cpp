// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/text_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace kvarzel {
namespace {

// A label as accessibility tools see it: its caption as its name, and when
// it is a link, the role of a link and a press that follows it. The role is
// asked each time: the interface is made once, maybe before the label
// becomes a link.
class TextLabelAccessible : public QAccessibleWidget {
public:
    explicit TextLabelAccessible(TextLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override {
        return Label()->IsLink() ? QAccessible::Link : QAccessible::StaticText;
    }
    QString text(QAccessible::Text kind) const override {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? Label()->text() : text;
    }
    QStringList actionNames() const override {
        const QStringList inherited = QAccessibleWidget::actionNames();
        return Label()->IsLink() ? QStringList{pressAction()} + inherited : inherited;
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && Label()->IsLink())
            emit Label()->Click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    TextLabel* Label() const { return static_cast<TextLabel*>(widget()); }
};

QAccessibleInterface* TextLabelAccessibleFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<TextLabel*>(object);
    return label ? new TextLabelAccessible(label) : nullptr;
}

} // namespace

QStringList CaptionLines(const QString& caption) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return caption.split(lineBreak);
}

TextLabel::TextLabel(QWidget* parent, Qt::Alignment alignment)
    : QLabel(parent), alignment_(alignment) {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(TextLabelAccessibleFactory);
    setTextFormat(Qt::PlainText);
}

void TextLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    lines_ = CaptionLines(caption);
    // The plain text keeps the label readable to accessibility tools.
    setText(lines_.join(QLatin1Char('\n')));
    SizeToText();
    update();
}

void TextLabel::SetFontColour(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

QColor TextLabel::FontColour() const {
    return palette().color(QPalette::WindowText);
}

void TextLabel::SizeToText() {
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    for (const QString& line : std::as_const(lines_))
        width = std::max(width, metrics.horizontalAdvance(line));
    const int height = metrics.height() * static_cast<int>(lines_.size());
    const int left = alignment_ & Qt::AlignRight ? x() + this->width() - width : x();
    setGeometry(left, y(), width, height);
}

void TextLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(FontColour());
    const int lineHeight = fontMetrics().height();
    QRect line(0, 0, width(), lineHeight);
    for (const QString& text : std::as_const(lines_)) {
        painter.drawText(line, static_cast<int>(alignment_ | Qt::AlignTop), text);
        line.translate(0, lineHeight);
    }
    if (IsLink() && hasFocus()) {
        painter.setPen(QPen(FontColour(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TextLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void TextLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    event->accept();
    if (click)
        emit Click();
}

void TextLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit MouseMove();
}

void TextLabel::keyPressEvent(QKeyEvent* event) {
    const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Space;
    if (IsLink() && activates && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace kvarzel
