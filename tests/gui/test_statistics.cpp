// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings_store.h"
#include "core/statistics_settings.h"
#include "help/help.h"
#include "help/help_viewer.h"
#include "platform/files/atomic_file.h"
#include "platform/files/history_file.h"
#include "platform/settings/registry_file_store.h"
#include "test_support/history_test_records.h"
#include "test_support/main_form_fixture.h"
#include "test_support/message_box_closer.h"
#include "test_support/wait_for.h"
#include "ui/common/help_context.h"
#include "ui/statistics/statistics_form.h"
#include "ui/statistics/statistics_table_model.h"
#include "ui/statistics/statistics_texts.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// A main window with a settings file and a history folder of its own.
class StatisticsTest : public MainFormTest {
protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", folder.path().toUtf8().constData(), 1);
        options.PeasCount = 4;
        options.TimerEnabled = false;
        options.BeepWrong = false;
        options.WaveWrong = false;
        SetSettingsStore(store.get());
        MainFormTest::SetUp();
    }
    void TearDown() override {
        MainFormTest::TearDown();
        SetSettingsStore(nullptr);
        unsetenv("XDG_DATA_HOME");
    }

    fs::path HistoryPath() const { return UserHistoryPath(); }
    StatisticsForm& Dialog() const { return form->StatisticsDialog(); }
    QString Cell(int row, int column) const {
        return Dialog().TableModel().index(row, column).data().toString();
    }
    int Rows() const { return Dialog().TableModel().rowCount(); }
    bool Bold(int row) const {
        return Dialog().TableModel().index(row, 0).data(Qt::FontRole).value<QFont>().bold();
    }

    // Plays a training of four peas: `right` right answers, then wrong ones.
    void PlayTraining(int right) {
        MessageBoxCloser closer;
        Start();
        for (int pea = 0; pea < 4; ++pea)
            (pea < right ? RightButton() : WrongButton())->click();
    }
    // Opens the dialog from the menu, runs `look` inside it, and closes it.
    void InDialog(const std::function<void()>& look) {
        bool looked = false;
        QTimer::singleShot(0, [&] {
            look();
            looked = true;
            Dialog().CloseButton->click();
        });
        form->StatisticsMenuItem->trigger();
        EXPECT_TRUE(looked);
    }
    void Restart() {
        // Shut-down saves the options first, which rewrites the whole key.
        Options->Save();
        Reopen();
    }
    void Reopen() {
        form.reset();
        form = std::make_unique<TMainForm>();
        formView = form.get();
        form->SetSoundOutput(sound);
        form->show();
    }

    QTemporaryDir folder;
    std::unique_ptr<RegistryFileStore> store =
        std::make_unique<RegistryFileStore>((folder.path() + "/Kvarzel.reg").toStdString());
};

TEST_F(StatisticsTest, MenuItemFollowsTheOptionsWithItsHint) {
    const QList<QAction*> items = form->TrainingMenuItem->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[1], form->OptionsMenuItems);
    EXPECT_EQ(items[2], form->StatisticsMenuItem);
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_EQ(form->StatisticsMenuItem->text(), "&Статистика...");
    EXPECT_EQ(HelpContext(form->StatisticsMenuItem), 1);
    form->menuBar()->setActiveAction(form->TrainingMenuItem->menuAction());
    ASSERT_TRUE(WaitFor([&] { return form->TrainingMenuItem->isVisible(); }));
    form->TrainingMenuItem->setActiveAction(form->StatisticsMenuItem);
    EXPECT_EQ(form->StatusBar->currentMessage(), "Статистика и история тренировок");
    form->TrainingMenuItem->close();
    EXPECT_EQ(Dialog().windowTitle(), "Статистика тренировок");
}

TEST_F(StatisticsTest, TableAndRunLineShowTheRunsTrainings) {
    InDialog([&] {
        EXPECT_EQ(Rows(), 0);
        EXPECT_EQ(Dialog().RunFigureLabel->text(),
                  "Эта серия: <b>нет свидетельств</b> — тренировок ещё не было.");
        EXPECT_FALSE(Dialog().ExportButton->isEnabled());
        EXPECT_FALSE(Dialog().HistoryCheckBox->isChecked());
    });
    PlayTraining(4);
    PlayTraining(1);
    options.PeasRatio = 10;
    PlayTraining(3);
    InDialog([&] {
        ASSERT_EQ(Rows(), 3);
        EXPECT_EQ(Cell(0, 0), "1");
        EXPECT_EQ(Cell(0, 2), "4");
        EXPECT_EQ(Cell(0, 3), "случайно");
        EXPECT_EQ(Cell(2, 3), "2");
        EXPECT_EQ(Cell(0, 7), "4");
        EXPECT_EQ(Cell(1, 7), "1");
        EXPECT_EQ(Cell(0, 4).toInt() + Cell(0, 5).toInt() + Cell(0, 6).toInt(), 4);
        EXPECT_TRUE(Dialog().RunFigureLabel->text().contains("— тренировок 3,"));
        EXPECT_TRUE(Dialog().ExplanationLabel->text().contains("не больше 5%"));
        EXPECT_TRUE(Dialog().HistoryLabel->isHidden());
    });
    // Nothing is written while the history is off.
    EXPECT_FALSE(fs::exists(HistoryPath()));
}

TEST_F(StatisticsTest, KeptHistorySurvivesARestartWithTheRunMarked) {
    PlayTraining(2);
    InDialog([&] { Dialog().HistoryCheckBox->click(); });
    EXPECT_TRUE(LoadKeepHistory(store.get()));
    PlayTraining(3);
    PlayTraining(4);
    // The history counts from the training after it was turned on.
    InDialog([&] {
        ASSERT_EQ(Rows(), 2);
        EXPECT_EQ(Cell(0, 0), "2");
        EXPECT_EQ(Cell(1, 0), "3");
        EXPECT_TRUE(Bold(0));
        EXPECT_TRUE(Dialog().HistoryLabel->text().contains("не добавлены"));
    });
    Restart();
    EXPECT_TRUE(LoadKeepHistory(store.get()));
    RegistryFileStore reread(store->Location());
    EXPECT_TRUE(LoadKeepHistory(&reread));
    PlayTraining(1);
    InDialog([&] {
        ASSERT_EQ(Rows(), 3);
        EXPECT_EQ(Cell(0, 0), "");
        EXPECT_EQ(Cell(0, 7), "3");
        EXPECT_EQ(Cell(1, 7), "4");
        EXPECT_FALSE(Bold(0));
        EXPECT_EQ(Cell(2, 0), "1");
        EXPECT_TRUE(Dialog().HistoryLabel->text().contains("history.csv"));
    });
}

// A kill while the result box is up loses nothing: the training is in the
// history, finished, before the box shows.
TEST_F(StatisticsTest, AKeptTrainingIsInTheHistoryWhileItsResultBoxIsUp) {
    ASSERT_TRUE(SaveKeepHistory(store.get(), true));
    Reopen();
    std::vector<TrainingRecord> whileUp;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            whileUp = HistoryFile(HistoryPath()).Load().Records;
            box->accept();
        }
    });
    watch.start(10);
    Start();
    for (int pea = 0; pea < 4; ++pea)
        RightButton()->click();
    ASSERT_EQ(whileUp.size(), 1U);
    EXPECT_FALSE(whileUp[0].Abandoned);
    EXPECT_EQ(whileUp[0].RightCount, 4);
}

TEST_F(StatisticsTest, DamagedHistoryIsReportedAndKept) {
    ASSERT_TRUE(SaveKeepHistory(store.get(), true));
    fs::create_directories(HistoryPath().parent_path());
    // A bad line with a training after it: damage in the middle, not a tail.
    const std::string damaged =
        HistoryHeaderLine() + "2026-12-07T10:31:08Z,oops\n" + HistoryLine(Training(3));
    ASSERT_TRUE(ReplaceFileAtomically(HistoryPath(), damaged));
    Reopen();
    PlayTraining(2);
    InDialog([&] {
        EXPECT_TRUE(Dialog().HistoryLabel->text().contains("повреждён (строка 2)"));
        EXPECT_EQ(Rows(), 1);
    });
    EXPECT_EQ(ReadWholeFile(HistoryPath(), 1 << 20).Bytes, damaged);
}

TEST_F(StatisticsTest, ExportWritesWhatTheTableShows) {
    PlayTraining(3);
    const QString target = folder.path() + "/export.csv";
    InDialog([&] {
        Dialog().ChooseExportFile = [&] { return target; };
        Dialog().ExportButton->click();
    });
    const HistoryFile::Contents exported = HistoryFile(target.toStdString()).Load();
    ASSERT_EQ(exported.State, HistoryFile::Status::Ours);
    ASSERT_EQ(exported.Records.size(), 1U);
    EXPECT_EQ(exported.Records[0].RightCount, 3);
}

TEST_F(StatisticsTest, F1OpensTheStatisticsPage) {
    InitHelp(KVARZEL_BINARY_DIR "/kvarzel");
    InDialog([&] { QTest::keyClick(Dialog().TrainingsTable, Qt::Key_F1); });
    ASSERT_NE(HelpViewerWindow(), nullptr);
    EXPECT_EQ(HelpViewerWindow()->CurrentPage(), "Statistics.htm");
}

// Tab and Shift+Tab leave the table, and Tab reaches the dialog's check box and buttons.
TEST_F(StatisticsTest, TabLeavesTheTableAndReachesEveryControl) {
    PlayTraining(2);
    InDialog([&] {
        StatisticsForm& dialog = Dialog();
        dialog.TrainingsTable->setFocus(Qt::TabFocusReason);
        QTest::keyClick(dialog.TrainingsTable, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_FALSE(dialog.TrainingsTable->hasFocus());
        dialog.TrainingsTable->setFocus(Qt::TabFocusReason);
        QSet<QWidget*> reached;
        for (int press = 0; press < 10 && !reached.contains(dialog.TrainingsTable); ++press) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            reached << dialog.focusWidget();
        }
        for (QWidget* control : std::initializer_list<QWidget*>{
                 dialog.HistoryCheckBox, dialog.ExportButton, dialog.CloseButton, dialog.TrainingsTable})
            EXPECT_TRUE(reached.contains(control)) << control->objectName().toStdString();
    });
}

// The dialog opens on its first line of figures, which a screen reader reads
// as it comes; Tab reaches every line of figures shown, and passes hidden ones.
TEST_F(StatisticsTest, TheDialogOpensOnTheRunsFigureAndTabReachesEachLineOfFigures) {
    PlayTraining(2);
    InDialog([&] {
        StatisticsForm& dialog = Dialog();
        ASSERT_TRUE(WaitFor([&] { return dialog.focusWidget() != nullptr; }));
        EXPECT_EQ(dialog.focusWidget(), dialog.RunFigureLabel);
        QSet<QWidget*> reached{dialog.RunFigureLabel};
        QWidget* focused = dialog.RunFigureLabel;
        for (int press = 0; press < 12; ++press) {
            QTest::keyClick(focused, Qt::Key_Tab);
            focused = dialog.focusWidget();
            if (focused == dialog.RunFigureLabel)
                break;
            reached << focused;
        }
        EXPECT_EQ(focused, dialog.RunFigureLabel) << "Tab goes round";
        for (QLabel* line : {dialog.ExpectationLabel, dialog.RowsLabel})
            EXPECT_TRUE(reached.contains(line)) << line->objectName().toStdString();
        EXPECT_EQ(reached.contains(dialog.HistoryFigureLabel),
                  dialog.HistoryFigureLabel->isVisible());
        for (QWidget* control : std::initializer_list<QWidget*>{
                 dialog.TrainingsTable, dialog.HistoryCheckBox, dialog.CloseButton})
            EXPECT_TRUE(reached.contains(control)) << control->objectName().toStdString();
        // What a screen reader says of a line is the line as shown.
        EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog.RunFigureLabel)
                      ->text(QAccessible::Name),
                  QTextDocumentFragment::fromHtml(dialog.RunFigureLabel->text()).toPlainText());
    });
}

// A training belongs to the history exactly when keeping was on at its
// start: turning it on counts from the next training, turning it off during
// one keeps that one. Trainings of one pea can end alike within a second:
// each is kept.
TEST(TrainingStatisticsTest, KeepingIsChosenWhenATrainingStarts) {
    QTemporaryDir folder;
    const RunEvidence run;
    TrainingStatistics statistics(
        nullptr, HistoryFile(fs::path(folder.path().toStdString()) / "history.csv"), run);
    TrainingRecord record;
    record.Finished = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7};
    record.PeasCount = 1;
    record.PeasRatio = 0;
    record.Bucket = {true, 0};
    record.Answers = {1, 0, 0};
    record.RightCount = 1;
    record.Percentage = 100;
    const auto play = [&](auto during) {
        statistics.StartTraining(record);
        during();
        statistics.TrainingAnswered(record);
        statistics.AddTraining(record);
    };
    play([] {});
    play([&] { statistics.SetKeepHistory(true); });
    EXPECT_EQ(statistics.File().Load().Records.size(), 0U);
    EXPECT_TRUE(statistics.RunTrainingsLeftOut());
    play([] {});
    play([&] { statistics.SetKeepHistory(false); });
    play([] {});
    EXPECT_EQ(statistics.File().Load().Records.size(), 2U);
    // Turned on again, nothing is added twice.
    statistics.SetKeepHistory(true);
    EXPECT_EQ(statistics.File().Load().Records.size(), 2U);
    EXPECT_EQ(statistics.UnsavedCount(), 0);
}

// Two copies of the program keep one history: each finds its own lines among
// those the other wrote in between, and numbers them as its run's.
TEST(TrainingStatisticsTest, TwoCopiesEachMarkTheirOwnLines) {
    QTemporaryDir folder;
    const fs::path path = fs::path(folder.path().toStdString()) / "history.csv";
    const RunEvidence run;
    TrainingStatistics first(nullptr, HistoryFile(path), run);
    TrainingStatistics second(nullptr, HistoryFile(path), run);
    first.SetKeepHistory(true);
    second.SetKeepHistory(true);
    // Which copy ends each training; the history lines follow in that order.
    const std::vector<int> copies = {0, 0, 1, 0, 1, 1, 0};
    for (std::size_t line = 0; line < copies.size(); ++line) {
        TrainingRecord record;
        record.Finished = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} +
                          std::chrono::minutes{line};
        record.PeasCount = 1;
        record.PeasRatio = 0;
        record.Bucket = {true, 0};
        record.Answers = {1, 0, 0};
        (copies[line] == 0 ? first : second).AddTraining(record);
    }
    for (int copy = 0; copy < 2; ++copy) {
        const TrainingStatistics& statistics = copy == 0 ? first : second;
        // Each knows the file as its own last append left it.
        const std::size_t lines = copy == 0 ? copies.size() : copies.size() - 1;
        ASSERT_EQ(statistics.RowCount(), static_cast<int>(lines));
        int number = 0;
        for (std::size_t line = 0; line < lines; ++line) {
            const StatisticsRow row = statistics.Row(static_cast<int>(line));
            EXPECT_EQ(row.InRun, copies[line] == copy) << "copy " << copy << ", line " << line;
            EXPECT_EQ(row.RunNumber, copies[line] == copy ? ++number : 0);
            EXPECT_TRUE(row.Saved);
        }
    }
}

} // namespace
} // namespace kvarzel::testing
