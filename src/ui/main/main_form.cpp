// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/main_form.h"

#include "core/options.h"
#include "core/settings_store.h"
#include "help/help.h"
#include "platform/desktop/application.h"
#include "platform/desktop/application_hint.h"
#include "platform/desktop/interval_timer.h"
#include "platform/desktop/message_box_icon.h"
#include "platform/desktop/spoken_notice.h"
#include "platform/drawing/canvas.h"
#include "platform/files/history_file.h"
#include "ui/common/accessible_names.h"
#include "ui/common/after_event.h"
#include "ui/common/help_context.h"
#include "ui/common/page_control_style.h"
#include "ui/common/sound_output.h"
#include "ui/main/answer_keys.h"
#include "ui/main/results_page.h"
#include "ui/main/signal_circle.h"
#include "ui/main/training_announcement.h"
#include "ui/main/training_results.h"
#include "ui/statistics/statistics_form.h"
#include "ui/window_manager/screen_centre.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

namespace kvarzel {
namespace {

void SetBold(QWidget* control, bool bold) {
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent),
      training_(std::make_unique<TrainingRun>(static_cast<TrainingView&>(*this))),
      sound_(&DeviceSoundOutput()) {
    setObjectName("MainForm");
    setWindowTitle("Кварзель");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    SetHelpContext(this, 0);

    auto* client = new QWidget(this);
    client->setFixedSize(331, 301);
    setCentralWidget(client);

    PageControl = new QTabWidget(client);
    PageControl->setObjectName("PageControl");
    NameControl(PageControl, "Страницы окна");
    PageControl->setTabPosition(QTabWidget::South);
    ApplyPageControlStyle(*PageControl);
    PageControl->setGeometry(0, 0, 331, 282);
    CreateTrainingPage();
    CreateResultsPage();

    StatusBar = new QStatusBar(client);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setGeometry(0, 282, 331, 19);

    notice_ = new SpokenNotice(client);
    notice_->setObjectName("TrainingNotice");
    AnswerTimer = new IntervalTimer(this);
    connect(AnswerTimer, &IntervalTimer::OnTimer, this, &TMainForm::AnswerTimerTimer);

    CreateMenu();
    const std::filesystem::path history = UserHistoryPath();
    statistics_ = std::make_unique<TrainingStatistics>(
        InstalledSettingsStore(), HistoryFile(history), training_->Evidence(),
        UserJournalPlaces(history));
    // However long the history, the window appears first; the statistics
    // dialog is made then too, so that opening it only fills and shows it.
    RunAfterFirstPaint(*this, [this] {
        statistics_->ReadHistory();
        StatisticsDialog();
    });
    // The window is as tall as the menu bar plus the fixed client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
    // An end that bypassed the close (the application told to quit) still
    // keeps the answers of a training under way, while the statistics live.
    training_->Abandon();
    qApp->removeEventFilter(this);
    delete statisticsForm_;
}

void TMainForm::SetDialogs(QDialog* about, QDialog* options) {
    aboutForm_ = about;
    optionsForm_ = options;
}

void TMainForm::MakeDialogsIfMissing() {
    if (!optionsForm_ && makeDialogs_)
        makeDialogs_();
}

StatisticsForm& TMainForm::StatisticsDialog() {
    if (!statisticsForm_)
        statisticsForm_ = new StatisticsForm(this, *statistics_);
    return *statisticsForm_;
}

bool TMainForm::TrainingRunning() const {
    return !WhiteButton->isHidden();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    CentreOnScreen(*this);
    FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The program ends here: no timer answer may come into a closed window
    // while the settings are saved.
    AnswerTimer->SetEnabled(false);
    training_->Abandon();
    // A signal or the session's end must end the program within a second.
    statistics_->FinishWriting(NoUserToAnswer() ? TrainingStatistics::UnattendedExitLockWait
                                                : TrainingStatistics::ExitLockWait);
    QMainWindow::closeEvent(event);
}

void TMainForm::FormShow() {
    PageControl->setCurrentWidget(TrainTabSheet);
    connect(&ApplicationHint::Instance(), &ApplicationHint::HintChanged, this,
            &TMainForm::DisplayHint, Qt::UniqueConnection);
    // The timer is created running; no automatic answer may come before a training starts.
    AnswerTimer->SetEnabled(false);
}

void TMainForm::DisplayHint(const QString& hint) {
    if (hint.isEmpty())
        StatusBar->clearMessage();
    else
        StatusBar->showMessage(hint);
}

void TMainForm::TrainMenuItemClick() {
    // A training reads the settings, which come with the options dialog.
    MakeDialogsIfMissing();
    training_->Start();
    // A sighted user sees the buttons appear; a screen reader says what they would read.
    notice_->Announce(TrainingStartText(training_->PeasCount(), Options->KeyWhite,
                                        Options->KeyBlack, Options->TimerEnabled,
                                        Options->TimeInterval));
}

void TMainForm::OptionsMenuItemsClick() {
    MakeDialogsIfMissing();
    if (optionsForm_)
        optionsForm_->exec();
}

void TMainForm::StatisticsMenuItemClick() {
    StatisticsDialog().exec();
}

void TMainForm::AboutMenuItemClick() {
    MakeDialogsIfMissing();
    if (aboutForm_)
        aboutForm_->exec();
}

void TMainForm::ExitMenuItemClick() {
    close();
}

void TMainForm::ContentsMenuItemClick() {
    if (QWidget* active = focusWidget())
        ShowHelpTopic(HelpContext(active));
    else
        ShowHelpContents();
}

void TMainForm::BooleanButtonClick(QPushButton* sender) {
    if (!sender->isEnabled())
        return;
    AnswerTimer->SetEnabled(false);
    ClearAnswerBold();
    SetBold(sender, true);
    training_->ProcessAnswer(sender == WhiteButton ? Answer::White : Answer::Black);
}

bool TMainForm::FormKeyDown(std::uint16_t key, ShiftState shift) {
    if (!TrainingRunning())
        return false;
    const AnswerKeyMatch match = MatchAnswerKey(key, shift, Options->KeyWhite, Options->KeyBlack);
    if (match.Given)
        (*match.Given == Answer::Black ? BlackButton : WhiteButton)->click();
    return !match.Fixed;
}

void TMainForm::BucketImageMouseDown(Qt::MouseButton button) {
    if (!TrainingRunning())
        return;
    if (button == Qt::LeftButton)
        WhiteButton->click();
    else if (button == Qt::RightButton)
        BlackButton->click();
}

void TMainForm::AnswerTimerTimer() {
    training_->TimerAnswer();
}

// What the training does to the window.

void TMainForm::ShowAnswerButtons() {
    SetBold(WhiteButton, false);
    WhiteButton->show();
    SetBold(BlackButton, false);
    BlackButton->show();
    // Showing a control on a page brings the page forward.
    PageControl->setCurrentWidget(TrainTabSheet);
}

void TMainForm::ArmAnswerTimer(int interval, bool enabled) {
    AnswerTimer->SetInterval(interval);
    AnswerTimer->SetEnabled(enabled);
}

void TMainForm::SetAnswerTimerEnabled(bool enabled) {
    AnswerTimer->SetEnabled(enabled);
}

void TMainForm::ShowSignal(bool right, int drawNumber) {
    const TColor fill = right ? clGreen : clRed;
    SignalShape->SetBrushColor(fill);
    QPalette palette = CounterLabel->palette();
    palette.setColor(QPalette::Window, ToQColor(fill));
    CounterLabel->setPalette(palette);
    CounterLabel->setText(QString::number(drawNumber));
    if (SignalShape->isHidden()) {
        SignalShape->show();
        CounterLabel->show();
        PageControl->setCurrentWidget(TrainTabSheet);
    }
    // Colour alone would keep the verdict from a screen reader, which speaks
    // it at once, wherever the focus is, and finds it again on the circle.
    const QString spoken =
        QStringLiteral("%1, горошина %2").arg(right ? "верно" : "неверно").arg(drawNumber);
    notice_->Announce(spoken);
    AnnounceName(SignalShape, spoken);
    CounterLabel->setAccessibleName(spoken);
    ApplicationHint::Instance().CancelHint();
}

void TMainForm::ProcessPendingEvents() {
    QApplication::processEvents();
}

void TMainForm::SetAnswerButtonsEnabled(bool enabled) {
    WhiteButton->setEnabled(enabled);
    BlackButton->setEnabled(enabled);
}

void TMainForm::Beep(int frequency, int duration) {
    sound_->Beep(frequency, duration);
}

void TMainForm::PlayWave(const std::string& fileName) {
    sound_->PlayWave(fileName);
}

void TMainForm::ClearAnswerBold() {
    SetBold(WhiteButton, false);
    SetBold(BlackButton, false);
}

void TMainForm::ShowResultMessage(const std::string& message) {
    QMessageBox box(QMessageBox::Information, "Результат", QString::fromStdString(message),
                    QMessageBox::Ok, this);
    NameMessageBoxIcon(box);
    // Only the main window waits for the box; an open help window stays usable.
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

void TMainForm::AddResult(double percentage, int trainingCount) {
    if (results_)
        results_->AddTrainingResult(percentage, trainingCount);
}

// Said before the first pea, so that nobody plays a training believing it
// kept; it runs all the same and counts in the run's figure.
void TMainForm::TrainingStarted(const TrainingRecord& started) {
    const WriteFailure notKept = statistics_->StartTraining(started);
    if (notKept != WriteFailure::None)
        ShowApplicationError(QString("Эта тренировка не будет сохранена в истории: %1. Она пройдёт "
                                     "как обычно и войдёт только в оценку этой серии")
                                 .arg(QString::fromStdString(WriteFailureText(notKept))));
}

void TMainForm::TrainingAnswered(const TrainingRecord& soFar) {
    statistics_->TrainingAnswered(soFar);
}

// The dialog is not made for this: it reads the statistics when it is made.
void TMainForm::RecordTraining(const TrainingRecord& record) {
    if (statisticsForm_)
        statisticsForm_->AddTraining(record);
    else
        statistics_->AddTraining(record);
}

void TMainForm::HideAnswerControls() {
    WhiteButton->hide();
    BlackButton->hide();
    SignalShape->hide();
    CounterLabel->hide();
}

} // namespace kvarzel
