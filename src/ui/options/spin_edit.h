// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

class QToolButton;

namespace kvarzel {

// A number field: a one-line text field with up and down buttons, a range
// and a maximum text length. Its value is the text read as a whole signed
// 32-bit number, clamped into the range; text that is no such number reads
// as the minimum.
class SpinEdit : public QLineEdit {
    Q_OBJECT
public:
    SpinEdit(int minValue, int maxValue, int maxLength, QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Value() const;
    // Shows the value clamped into the range.
    void SetValue(int value);

    // The field's accessible name and description; its arrows are described after it.
    void SetAccessibleTexts(const QString& name, const QString& description);

    QToolButton* UpButton() const { return upButton_; }
    QToolButton* DownButton() const { return downButton_; }

signals:
    // A typed character was refused (the field has beeped).
    void CharacterRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* CreateButton(Qt::ArrowType arrow, int step);
    bool IsAllowedCharacter(QChar character) const;
    void Step(int delta);

    int minValue_;
    int maxValue_;
    QChar decimalSeparator_;
    QToolButton* upButton_;
    QToolButton* downButton_;
};

} // namespace kvarzel
