// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"
#include "core/training.h"
#include "core/training_view.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace kvarzel {

class ResultsPage;
class TChart;
class BucketView;
class SpokenNotice;
class TLineSeries;
class SignalCircle;
class IntervalTimer;
class SoundOutput;
class StatisticsForm;
class TrainingStatistics;
class TrainingResults;
struct VirtualKeyPress;

// The program's one non-modal window: the training and results pages, the
// menu, the status bar and the answer timer. It owns the training run.
class TMainForm : public QMainWindow, private TrainingView {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Where the wrong-answer sounds and the finished trainings go.
    void SetSoundOutput(SoundOutput& sound) { sound_ = &sound; }
    void SetTrainingResults(TrainingResults* results) { results_ = results; }
    // The dialogs the menu opens; they live as long as the program.
    void SetDialogs(QDialog* about, QDialog* options);
    // Makes the dialogs, and with the options dialog the settings, when the
    // menu or a training needs them before they have been set.
    void SetDialogsMaker(std::function<void()> makeDialogs) {
        makeDialogs_ = std::move(makeDialogs);
    }

    const TrainingRun& Training() const { return *training_; }
    // The statistics dialog, made when it is first needed.
    StatisticsForm& StatisticsDialog();
    // A training runs exactly while the white answer button is not hidden.
    bool TrainingRunning() const;

    // Controls, named by role and kind.
    QTabWidget* PageControl = nullptr;
    QWidget* TrainTabSheet = nullptr;
    BucketView* BucketImage = nullptr;
    SignalCircle* SignalShape = nullptr;
    QLabel* CounterLabel = nullptr;
    QPushButton* WhiteButton = nullptr;
    QPushButton* BlackButton = nullptr;
    QWidget* ResultsTabSheet = nullptr;
    TChart* IntuitionChart = nullptr;
    TLineSeries* IntuitionSeries = nullptr;
    QFrame* BottomBevel = nullptr;
    QLabel* AverageLabel = nullptr;
    QLineEdit* AverageEdit = nullptr;
    QStatusBar* StatusBar = nullptr;
    IntervalTimer* AnswerTimer = nullptr;

    QMenu* TrainingMenuItem = nullptr;
    QAction* TrainMenuItem = nullptr;
    QAction* OptionsMenuItems = nullptr;
    QAction* StatisticsMenuItem = nullptr;
    QAction* ExitMenuItem = nullptr;
    QMenu* HelpMenuItem = nullptr;
    QAction* ContentsMenuItem = nullptr;
    QAction* AboutMenuItem = nullptr;

    // Event handlers.
    void FormShow();
    void DisplayHint(const QString& hint);
    void TrainMenuItemClick();
    void OptionsMenuItemsClick();
    void StatisticsMenuItemClick();
    void ExitMenuItemClick();
    void ContentsMenuItemClick();
    void AboutMenuItemClick();
    void BooleanButtonClick(QPushButton* sender);
    // Returns true when the key must go no further.
    bool FormKeyDown(std::uint16_t key, ShiftState shift);
    void BucketImageMouseDown(Qt::MouseButton button);
    void AnswerTimerTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void CreateTrainingPage();
    void CreateResultsPage();
    void MakeDialogsIfMissing();
    bool IsKeyPreviewTarget(const QObject* receiver) const;
    bool IsOwnMenu(const QObject* object) const;
    bool OpenMenuOfMnemonic(const QKeySequence& mnemonic);
    bool TriggerMenuShortcut(const VirtualKeyPress& press);

    // TrainingView
    void ShowAnswerButtons() override;
    void ArmAnswerTimer(int interval, bool enabled) override;
    void SetAnswerTimerEnabled(bool enabled) override;
    void ShowSignal(bool right, int drawNumber) override;
    void ProcessPendingEvents() override;
    void SetAnswerButtonsEnabled(bool enabled) override;
    void Beep(int frequency, int duration) override;
    void PlayWave(const std::string& fileName) override;
    void ClearAnswerBold() override;
    void ShowResultMessage(const std::string& message) override;
    void AddResult(double percentage, int trainingCount) override;
    void TrainingStarted(const TrainingRecord& started) override;
    void TrainingAnswered(const TrainingRecord& soFar) override;
    void RecordTraining(const TrainingRecord& record) override;
    void HideAnswerControls() override;

    std::unique_ptr<TrainingRun> training_;
    std::unique_ptr<ResultsPage> resultsPage_;
    std::unique_ptr<TrainingStatistics> statistics_;
    SoundOutput* sound_;
    TrainingResults* results_ = nullptr; // the results page unless a test puts its own
    QDialog* aboutForm_ = nullptr;
    QDialog* optionsForm_ = nullptr;
    std::function<void()> makeDialogs_;
    StatisticsForm* statisticsForm_ = nullptr;
    SpokenNotice* notice_ = nullptr; // speaks a training's start and each answer's verdict
    bool shown_ = false;
};

} // namespace kvarzel
