// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>
#include <QStringList>

namespace kvarzel {

// The lines of a caption: every CR, LF or CR LF starts a new line, so a
// caption ending in a line break ends with an empty line.
QStringList CaptionLines(const QString& caption);

// A label for hand-made layouts: its caption may hold CR, LF and CR LF line
// breaks, it sizes itself to its text (keeping its right edge when it is
// right-aligned), draws each line one font height under the previous one, and
// reports clicks and mouse moves. A label that takes the focus is a link: Enter
// and Space click it, while it has the focus a dotted frame in its own colour
// surrounds it, and accessibility tools find a link that they can press.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent, Qt::Alignment alignment = Qt::AlignLeft);

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }

    void SetFontColour(const QColor& colour);
    QColor FontColour() const;

    // A label that takes the focus is a link, and a screen reader says so.
    bool IsLink() const { return focusPolicy() != Qt::NoFocus; }

signals:
    // A left-button press and release, both on the label.
    void Click();
    // Reaches the label only while it tracks the mouse (setMouseTracking).
    void MouseMove();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SizeToText();

    QString caption_;
    QStringList lines_;
    Qt::Alignment alignment_;
    bool pressed_ = false;
};

} // namespace kvarzel
