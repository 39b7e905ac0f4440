// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/spin_edit.h"

#include "platform/desktop/locale_separators.h"
#include "ui/common/accessible_names.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <QValidator>

#include <algorithm>
#include <functional>
#include <optional>

namespace kvarzel {
namespace {

// A click steps once, on release; a held button steps again after this
// pause and then at this rate.
constexpr int RepeatDelay = 400;
constexpr int RepeatInterval = 100;
constexpr int ButtonWidth = 15;

// An optional sign and decimal digits that fit a signed 32-bit number.
std::optional<int> ReadWholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    const bool plainDigits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
               c == QLatin1Char('-');
    });
    if (!ok || !plainDigits)
        return std::nullopt;
    return value;
}

// Keeps pasted or dropped text to the characters that can be typed.
class TypableTextValidator : public QValidator {
public:
    TypableTextValidator(const SpinEdit* field, std::function<bool(QChar)> allowed)
        : QValidator(const_cast<SpinEdit*>(field)), allowed_(std::move(allowed)) {}
    State validate(QString& text, int&) const override {
        return std::all_of(text.begin(), text.end(), allowed_) ? Acceptable : Invalid;
    }

private:
    std::function<bool(QChar)> allowed_;
};

bool IsPrintable(QChar character) {
    return character.unicode() >= 0x20 && character.unicode() != 0x7F;
}

} // namespace

SpinEdit::SpinEdit(int minValue, int maxValue, int maxLength, QWidget* parent)
    : QLineEdit(parent), minValue_(minValue), maxValue_(maxValue),
      decimalSeparator_(UserNumberSeparators().Decimal) {
    setMaxLength(maxLength);
    setValidator(new TypableTextValidator(this, [this](QChar c) { return IsAllowedCharacter(c); }));
    upButton_ = CreateButton(Qt::UpArrow, 1);
    downButton_ = CreateButton(Qt::DownArrow, -1);
    setTextMargins(0, 0, ButtonWidth, 0);
    SetValue(minValue);
}

QToolButton* SpinEdit::CreateButton(Qt::ArrowType arrow, int step) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    // An arrow has no text a screen reader could say.
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("Увеличить")
                                                   : QStringLiteral("Уменьшить"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(RepeatDelay);
    button->setAutoRepeatInterval(RepeatInterval);
    // The field takes the focus when one of its buttons is pressed.
    connect(button, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    connect(button, &QToolButton::clicked, this, [this, step] { Step(step); });
    return button;
}

void SpinEdit::SetAccessibleTexts(const QString& name, const QString& description) {
    NameControl(this, name, description);
    for (QToolButton* arrow : {upButton_, downButton_})
        arrow->setAccessibleDescription(
            QStringLiteral("%1 — %2 на 1").arg(name, arrow->accessibleName().toLower()));
}

int SpinEdit::Value() const {
    return std::clamp(ReadWholeNumber(text()).value_or(minValue_), minValue_, maxValue_);
}

void SpinEdit::SetValue(int value) {
    setText(QString::number(std::clamp(value, minValue_, maxValue_)));
}

bool SpinEdit::IsAllowedCharacter(QChar character) const {
    return (character >= QLatin1Char('0') && character <= QLatin1Char('9')) ||
           character == QLatin1Char('+') || character == QLatin1Char('-') ||
           character == decimalSeparator_ || !IsPrintable(character);
}

void SpinEdit::Step(int delta) {
    SetValue(Value() + delta);
    // A screen reader says the new value, as it does for a spin box's step.
    QAccessibleValueChangeEvent changed(this, Value());
    QAccessible::updateAccessibility(&changed);
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    const QString typed = event->text();
    const bool commandKey = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!commandKey && !typed.isEmpty() &&
        !std::all_of(typed.begin(), typed.end(),
                     [this](QChar c) { return IsAllowedCharacter(c); })) {
        QApplication::beep();
        emit CharacterRefused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    // A number out of range is replaced by the nearest bound; empty or bad
    // text stays as the user left it.
    if (const auto number = ReadWholeNumber(text()); number && *number != Value())
        SetValue(*number);
    QLineEdit::focusOutEvent(event);
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int inner = height() - 2 * frame;
    const int x = width() - frame - ButtonWidth;
    upButton_->setGeometry(x, frame, ButtonWidth, inner / 2);
    downButton_->setGeometry(x, frame + inner / 2, ButtonWidth, inner - inner / 2);
}

} // namespace kvarzel
