// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"
#include "ui/common/dialog_keys.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;

namespace kvarzel {

class SoundOutput;
class TChart;
class FileNameEdit;
class HotKeyClearButton;
class HotKeyEdit;
class SpinEdit;

// The modal results of the dialog.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// The options dialog. It owns the settings record: creating the dialog
// creates and loads `Options`, destroying it saves and frees it. Each show
// copies the record into the controls; OK copies them back.
class TOptionsForm : public HelpDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);
    ~TOptionsForm() override;

    // Writes the settings record to the store now, as the end of the program
    // does; a failed save reaches the application's error display.
    void SaveSettings();

    // Where the test buttons sound; the sound device unless a test puts its own.
    void SetSoundOutput(SoundOutput& sound) { sound_ = &sound; }

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QTabWidget* PageControl = nullptr;

    QWidget* PeasTabSheet = nullptr;
    QLabel* CountLabel = nullptr;
    SpinEdit* CountSpinEdit = nullptr;
    QGroupBox* RatioGroupBox = nullptr;
    QSlider* RatioTrackBar = nullptr;
    TChart* RatioChart = nullptr;
    QLabel* WhiteQLabel = nullptr;
    QLabel* BlackQLabel = nullptr;

    QWidget* ControlTabSheet = nullptr;
    QGroupBox* KeysGroupBox = nullptr;
    QLabel* WhiteLabel = nullptr;
    HotKeyEdit* WhiteHotKey = nullptr;
    HotKeyClearButton* WhiteClearButton = nullptr;
    QLabel* BlackLabel = nullptr;
    HotKeyEdit* BlackHotKey = nullptr;
    HotKeyClearButton* BlackClearButton = nullptr;
    QCheckBox* TimerCheckBox = nullptr;
    SpinEdit* TimerSpinEdit = nullptr;
    QLabel* TimerMsLabel = nullptr;

    QWidget* SoundTabSheet = nullptr;
    QLabel* SoundLabel = nullptr;
    QCheckBox* BeepCheckBox = nullptr;
    QPushButton* BeepButton = nullptr;
    QLabel* FrequencyLabel = nullptr;
    SpinEdit* FrequencySpinEdit = nullptr;
    QLabel* FrequencyHzLabel = nullptr;
    QLabel* DurationLabel = nullptr;
    SpinEdit* DurationSpinEdit = nullptr;
    QLabel* DurationMsLabel = nullptr;
    QCheckBox* WaveCheckBox = nullptr;
    QPushButton* WaveButton = nullptr;
    QLabel* WaveLabel = nullptr;
    FileNameEdit* WaveEdit = nullptr;
    QToolButton* WaveSpeedButton = nullptr;

    // Event handlers.
    void FormShow();
    void OKButtonClick();
    void TimerCheckBoxClick();
    void BeepCheckBoxClick();
    void WaveCheckBoxClick();
    void WaveEditChange();
    void BeepButtonClick();
    void WaveButtonClick();
    void WaveSpeedButtonClick();
    void RatioTrackBarChange();
    // Return true when the key must go no further.
    bool FormKeyDown(std::uint16_t key, ShiftState shift);
    bool WaveEditKeyDown(std::uint16_t key, ShiftState shift);

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // Saves and frees the record; the record is freed even when the save fails.
    void FormDestroy();

    void CreatePeasPage();
    void CreateRatioPreview();
    void CreateControlPage();
    void CreateSoundPage();
    void CreateWaveFileControls();
    void SetFocusOrder();
    void NameControls();
    void ConnectHandlers();

    bool DialogKey(std::uint16_t key, ShiftState shift);
    bool SwitchPage(std::uint16_t key, ShiftState shift);

    SoundOutput* sound_;
};

} // namespace kvarzel
