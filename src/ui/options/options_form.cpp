// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/options_form.h"

#include "core/file_system.h"
#include "core/options.h"
#include "core/settings_store.h"
#include "platform/desktop/application.h"
#include "platform/keys/key_codes.h"
#include "platform/keys/virtual_keys.h"
#include "ui/common/accessible_names.h"
#include "ui/common/sound_output.h"
#include "ui/options/file_name_edit.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/ratio_labels.h"
#include "ui/options/spin_edit.h"
#include "ui/options/spin_edit_accessible.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <initializer_list>

namespace kvarzel {
namespace {

void SetEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

bool NoModifiers(ShiftState shift) {
    return shift == ShiftState{};
}

} // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : HelpDialog(parent, 4), sound_(&DeviceSoundOutput()) {
    setObjectName("OptionsForm");
    setWindowTitle("Параметры тренировок");
    setFixedSize(266, 240);
    // Before any field is made: a field's interface, once made, is kept.
    SpinEditAccessible::Install();

    OKButton = new QPushButton("О&К", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(102, 207, 75, 27);
    OKButton->setDefault(true);

    CancelButton = new QPushButton("&Отмена", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(185, 207, 75, 27);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    NameControl(PageControl, "Страницы параметров");
    PageControl->setGeometry(0, 0, 266, 199);
    CreatePeasPage();
    CreateControlPage();
    CreateSoundPage();
    SetFocusOrder();
    NameControls();
    ConnectHandlers();

    FormCreate();
}

TOptionsForm::~TOptionsForm() {
    FormDestroy();
}

void TOptionsForm::ConnectHandlers() {
    connect(OKButton, &QPushButton::clicked, this, &TOptionsForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TOptionsForm::reject);
    connect(TimerCheckBox, &QCheckBox::toggled, this, &TOptionsForm::TimerCheckBoxClick);
    connect(BeepCheckBox, &QCheckBox::toggled, this, &TOptionsForm::BeepCheckBoxClick);
    connect(WaveCheckBox, &QCheckBox::toggled, this, &TOptionsForm::WaveCheckBoxClick);
    connect(WaveEdit, &QLineEdit::textChanged, this, &TOptionsForm::WaveEditChange);
    connect(BeepButton, &QPushButton::clicked, this, &TOptionsForm::BeepButtonClick);
    connect(WaveButton, &QPushButton::clicked, this, &TOptionsForm::WaveButtonClick);
    connect(WaveSpeedButton, &QToolButton::clicked, this, &TOptionsForm::WaveSpeedButtonClick);
    // The labels follow the position alone, so one run per change of it is
    // enough, whoever moved it.
    connect(RatioTrackBar, &QSlider::valueChanged, this, &TOptionsForm::RatioTrackBarChange);
}

void TOptionsForm::FormCreate() {
    Options = new TOptions;
    Options->Load();
    PageControl->setCurrentWidget(PeasTabSheet);
}

void TOptionsForm::FormDestroy() {
    SaveSettings();
    delete Options;
    Options = nullptr;
}

void TOptionsForm::SaveSettings() {
    try {
        Options->Save();
    } catch (const SettingsWriteError& error) {
        ShowApplicationError(QString::fromStdString(WithReason(error.what(), error.Reason())));
    }
}

void TOptionsForm::showEvent(QShowEvent* event) {
    // A window coming back from being minimised keeps what the user did.
    if (!event->spontaneous())
        FormShow();
    HelpDialog::showEvent(event);
}

void TOptionsForm::FormShow() {
    CountSpinEdit->SetValue(Options->PeasCount);
    RatioTrackBar->setValue(Options->PeasRatio);
    WhiteHotKey->SetHotKey(Options->KeyWhite);
    BlackHotKey->SetHotKey(Options->KeyBlack);
    TimerCheckBox->setChecked(Options->TimerEnabled);
    TimerSpinEdit->SetValue(Options->TimeInterval);
    BeepCheckBox->setChecked(Options->BeepWrong);
    FrequencySpinEdit->SetValue(Options->BeepFrequency);
    DurationSpinEdit->SetValue(Options->BeepDuration);
    WaveCheckBox->setChecked(Options->WaveWrong);
    WaveEdit->SetFileName(Options->WaveFilename);

    WaveEditChange();
    TimerCheckBoxClick();
    BeepCheckBoxClick();
    WaveCheckBoxClick();
}

void TOptionsForm::OKButtonClick() {
    Options->PeasCount = CountSpinEdit->Value();
    Options->PeasRatio = RatioTrackBar->value();
    Options->KeyWhite = WhiteHotKey->HotKey();
    Options->KeyBlack = BlackHotKey->HotKey();
    Options->BeepWrong = BeepCheckBox->isChecked();
    Options->TimerEnabled = TimerCheckBox->isChecked();
    Options->TimeInterval = TimerSpinEdit->Value();
    Options->BeepFrequency = FrequencySpinEdit->Value();
    Options->BeepDuration = DurationSpinEdit->Value();
    Options->WaveWrong = WaveCheckBox->isChecked();
    Options->WaveFilename = WaveEdit->FileName();
    // Confirmed settings are kept at once: they must survive the program's
    // being cut off (a power cut, a display server that goes away).
    SaveSettings();
    done(mrOk);
}

void TOptionsForm::reject() {
    done(mrCancel);
}

void TOptionsForm::TimerCheckBoxClick() {
    SetEnabled({TimerSpinEdit, TimerMsLabel}, TimerCheckBox->isChecked());
}

void TOptionsForm::BeepCheckBoxClick() {
    SetEnabled({BeepButton, FrequencyLabel, FrequencySpinEdit, FrequencyHzLabel, DurationLabel,
                DurationSpinEdit, DurationMsLabel},
               BeepCheckBox->isChecked());
}

void TOptionsForm::WaveCheckBoxClick() {
    SetEnabled({WaveLabel, WaveEdit, WaveSpeedButton}, WaveCheckBox->isChecked());
    WaveEditChange();
}

void TOptionsForm::WaveEditChange() {
    const std::string name = WaveEdit->FileName();
    WaveButton->setEnabled(WaveCheckBox->isChecked() && HasWaveExtension(name) &&
                           PlainFileExists(name));
}

void TOptionsForm::BeepButtonClick() {
    sound_->Beep(FrequencySpinEdit->Value(), DurationSpinEdit->Value());
}

void TOptionsForm::WaveButtonClick() {
    WaveButton->setEnabled(false);
    sound_->PlayWave(WaveEdit->FileName());
    WaveButton->setEnabled(true);
    WaveButton->setFocus();
}

void TOptionsForm::WaveSpeedButtonClick() {
    QFileDialog OpenDialog(this, QStringLiteral("Выбор звукового файла"));
    OpenDialog.setObjectName("OpenDialog");
    OpenDialog.setFileMode(QFileDialog::ExistingFile);
    OpenDialog.setNameFilters(
        {QStringLiteral("Звуковые файлы (*.wav)"), QStringLiteral("Все файлы (*.*)")});
    if (!WaveEdit->text().isEmpty())
        OpenDialog.selectFile(QFileInfo(WaveEdit->text()).absoluteFilePath());
    if (OpenDialog.exec() != QDialog::Accepted || OpenDialog.selectedFiles().isEmpty())
        return;
    WaveEdit->SetFileName(
        QDir::toNativeSeparators(OpenDialog.selectedFiles().first()).toStdString());
}

void TOptionsForm::RatioTrackBarChange() {
    SetRatioLabelText(*WhiteQLabel, {});
    SetRatioLabelText(*BlackQLabel, {});
    if (RatioTrackBar->value() == RatioTrackBar->minimum())
        SetRatioLabelText(*WhiteQLabel, QStringLiteral("?"));
    else if (RatioTrackBar->value() == RatioTrackBar->maximum())
        SetRatioLabelText(*BlackQLabel, QStringLiteral("?"));
}

// Keys of the dialog, seen before the focused control.

bool TOptionsForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget() &&
        static_cast<QWidget*>(watched)->window() == this && isVisible()) {
        const VirtualKeyPress press = VirtualKeyFromEvent(*static_cast<QKeyEvent*>(event));
        if (DialogKey(press.Key, press.Shift) || SwitchPage(press.Key, press.Shift) ||
            FormKeyDown(press.Key, press.Shift))
            return true;
        if (watched == WaveEdit && WaveEditKeyDown(press.Key, press.Shift))
            return true;
    }
    // F1 anywhere opens the dialog's help topic.
    return HelpDialog::eventFilter(watched, event);
}

// Enter without modifiers clicks the focused push button. Enter anywhere
// else is OK and Esc is Cancel, which FormKeyDown does with any modifiers.
bool TOptionsForm::DialogKey(std::uint16_t key, ShiftState shift) {
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (key != VK_RETURN || !NoModifiers(shift) || button == nullptr)
        return false;
    button->click();
    return true;
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is on them.
bool TOptionsForm::SwitchPage(std::uint16_t key, ShiftState shift) {
    if (key != VK_TAB || !shift.Ctrl || shift.Alt ||
        !PageControl->isAncestorOf(QApplication::focusWidget()))
        return false;
    const int count = PageControl->count();
    const int step = shift.Shift ? count - 1 : 1;
    const bool focusOnPage =
        PageControl->currentWidget()->isAncestorOf(QApplication::focusWidget());
    PageControl->setCurrentIndex((PageControl->currentIndex() + step) % count);
    if (focusOnPage)
        PageControl->tabBar()->setFocus(Qt::TabFocusReason);
    return true;
}

bool TOptionsForm::FormKeyDown(std::uint16_t key, ShiftState) {
    if (key == VK_RETURN) {
        OKButton->click();
        return true;
    }
    if (key == VK_ESCAPE) {
        CancelButton->click();
        return true;
    }
    return false;
}

bool TOptionsForm::WaveEditKeyDown(std::uint16_t key, ShiftState shift) {
    const bool browse = (key == VK_DOWN && shift == ShiftState{.Alt = true}) ||
                        (key == VK_F4 && NoModifiers(shift)) ||
                        (key == VK_O && shift == ShiftState{.Ctrl = true});
    if (browse)
        WaveSpeedButtonClick();
    return browse;
}

} // namespace kvarzel
