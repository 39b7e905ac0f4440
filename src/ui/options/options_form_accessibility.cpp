// SPDX-License-Identifier: GPL-3.0-or-later
// What the options dialog's controls say to a screen reader: the labels beside
// the fields name them, and descriptions add what only their places on the
// page tell a sighted user.
#include "ui/options/options_form.h"

#include "chart/chart.h"
#include "ui/common/accessible_names.h"
#include "ui/options/file_name_edit.h"
#include "ui/options/hot_key_clear_button.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace kvarzel {
namespace {

// A number field is described by its unit and range, which sit beside it or nowhere.
void NameNumberField(SpinEdit* field, const QString& name, const QString& unit) {
    field->SetAccessibleTexts(
        name,
        QStringLiteral("%1, от %2 до %3").arg(unit).arg(field->MinValue()).arg(field->MaxValue()));
}

void NameNumberField(SpinEdit* field, QLabel* label, const QString& unit) {
    label->setBuddy(field);
    NameNumberField(field, WithoutMnemonic(label->text()), unit);
}

} // namespace

void TOptionsForm::NameControls() {
    NameNumberField(CountSpinEdit, CountLabel, QStringLiteral("горошин"));
    NameControl(RatioTrackBar, RatioGroupBox->title(),
                QStringLiteral("Чёрных горошин в двадцатых долях; при 0 и 20 цвет каждой "
                               "горошины выпадает случайно"));
    NameControl(RatioChart, QStringLiteral("Образец соотношения"));

    NameAfterLabel(WhiteHotKey, WhiteLabel,
                   QStringLiteral("Дополнительная клавиша выбора белой горошины"));
    NameAfterLabel(BlackHotKey, BlackLabel,
                   QStringLiteral("Дополнительная клавиша выбора чёрной горошины"));
    NameControl(WhiteClearButton, QStringLiteral("Очистить клавишу белой горошины"));
    NameControl(BlackClearButton, QStringLiteral("Очистить клавишу чёрной горошины"));
    // The check box above the field is what it answers to; the unit beside it is no label
    // of it, which a screen reader would read in place of the check box's text.
    NameNumberField(TimerSpinEdit, WithoutMnemonic(TimerCheckBox->text()), TimerMsLabel->text());

    NameControl(BeepButton, WithoutMnemonic(BeepButton->text()),
                QStringLiteral("Проверить звук системного динамика"));
    NameNumberField(FrequencySpinEdit, FrequencyLabel, FrequencyHzLabel->text());
    NameNumberField(DurationSpinEdit, DurationLabel, DurationMsLabel->text());
    NameControl(WaveButton, WithoutMnemonic(WaveButton->text()),
                QStringLiteral("Проверить звук звуковой карты"));
    NameAfterLabel(WaveEdit, WaveLabel,
                   QStringLiteral("Звуковой файл (*.wav); выбрать его: Alt+Вниз, F4 или Ctrl+O"));
    NameControl(WaveSpeedButton, WaveSpeedButton->toolTip(),
                QStringLiteral("Открывает окно выбора звукового файла"));
}

} // namespace kvarzel
