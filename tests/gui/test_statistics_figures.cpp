// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/statistics_settings.h"
#include "platform/desktop/locale_separators.h"
#include "platform/files/atomic_file.h"
#include "platform/files/history_file.h"
#include "platform/settings/registry_file_store.h"
#include "test_support/statistics_records.h"
#include "ui/statistics/bound_text.h"
#include "ui/statistics/evidence_picture.h"
#include "ui/statistics/statistics_form.h"
#include "ui/statistics/statistics_table_model.h"
#include "ui/statistics/statistics_texts.h"

#include "chart/chart.h"
#include "chart/custom_series.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// A history file as the version before the evidence wrote it.
const std::string OlderHistory =
    "finished_utc,peas_count,peas_ratio,timer_enabled,time_interval_ms,black_peas,"
    "white_answers,black_answers,timer_answers,right_answers,percentage,chance_percent\n"
    "2026-12-06T10:31:08Z,4,0,0,1000,,2,2,0,3,75,31.25\n";

class StatisticsFiguresTest : public ::testing::Test {
protected:
    fs::path HistoryPath() const { return fs::path(folder.path().toStdString()) / "history.csv"; }
    fs::path LockPath() const { return HistoryPath().string() + ".lock"; }
    std::unique_ptr<TrainingStatistics> Statistics(RegistryStore* settings = nullptr) {
        return std::make_unique<TrainingStatistics>(settings, HistoryFile(HistoryPath()), run);
    }
    std::vector<TrainingRecord> FileRecords() const {
        return HistoryFile(HistoryPath()).Load().Records;
    }
    // A lock that is a folder cannot be taken: every append fails.
    void BlockAppends() const { fs::create_directory(LockPath()); }
    void AllowAppends() const { fs::remove(LockPath()); }
    static QString Cell(const StatisticsForm& form, int row, int column) {
        return form.TableModel().index(row, column).data().toString();
    }

    QTemporaryDir folder;
    RunEvidence run;
};

TEST_F(StatisticsFiguresTest, HistoryIsReadOnlyWhenFirstNeeded) {
    fs::create_directories(HistoryPath().parent_path());
    ASSERT_TRUE(ReplaceFileAtomically(HistoryPath(), OlderHistory));
    RegistryFileStore settings((folder.path() + "/Kvarzel.reg").toStdString());
    ASSERT_TRUE(SaveKeepHistory(&settings, true));
    auto statistics = Statistics(&settings);
    EXPECT_TRUE(statistics->History().Records.empty());
    EXPECT_EQ(statistics->RowCount(), 0);
    statistics->ReadHistory();
    EXPECT_TRUE(statistics->ShowsHistory());
    EXPECT_EQ(statistics->RowCount(), 1);
    // A training before anything asked reads it first, and comes after its lines.
    auto other = Statistics(&settings);
    other->AddTraining(RecordOf(CoinGuesses(2, 1), run, 1));
    ASSERT_EQ(other->RowCount(), 2);
    EXPECT_FALSE(other->Row(0).InRun);
    EXPECT_TRUE(other->Row(1).InRun);
    EXPECT_EQ(FileRecords().size(), 2U);
}

TEST_F(StatisticsFiguresTest, HistoryFigurePoolsItsLinesInFileOrder) {
    fs::create_directories(HistoryPath().parent_path());
    ASSERT_TRUE(ReplaceFileAtomically(HistoryPath(), OlderHistory));
    auto statistics = Statistics();
    statistics->SetKeepHistory(true);
    std::mt19937 random(3);
    EvidenceTrack pooled;
    for (int minute = 0; minute < 12; ++minute) {
        std::vector<Guess> guesses;
        for (int guess = 0; guess < 5 + minute; ++guess)
            guesses.push_back({0.5, random() % 3 != 0});
        const TrainingRecord record = RecordOf(guesses, run, minute);
        statistics->AddTraining(record);
        pooled.AddStretch(record.Evidence->Total);
        const EvidenceSummary& history = statistics->HistorySummary();
        ASSERT_EQ(history.Reading.LogLowestBound(), pooled.LogBound()) << minute;
        ASSERT_EQ(history.Reading.LogCurrentBound(), pooled.LogLastBound()) << minute;
        EXPECT_EQ(history.Trainings, minute + 2);
        EXPECT_EQ(history.WithoutEvidence, 1);
    }
    // The run is read where the history is: the same answers, the same figure.
    EXPECT_NEAR(statistics->Run().Track().LogBound(), pooled.LogBound(), 1e-12);
    EXPECT_NEAR(statistics->RunSummary().Reading.LogLowestBound(), pooled.LogBound(), 1e-12);
}

// One training, its guesses right first and wrong after: its row, the run
// and a history of it alone read the same figure, the one at its end.
TEST_F(StatisticsFiguresTest, OneTrainingReadsTheSameInItsRowTheRunAndTheHistory) {
    auto statistics = Statistics();
    statistics->SetKeepHistory(true);
    StatisticsForm form(nullptr, *statistics);
    const TrainingRecord record = RecordOf(CoinGuesses(30, 8), run, 1);
    form.AddTraining(record);
    form.Refresh();
    const QString figure = BoundText(record.Evidence->Total.LogBound());
    EXPECT_NE(figure, "нет свидетельств");
    EXPECT_EQ(Cell(form, 0, FigureColumn), figure);
    EXPECT_TRUE(form.RunFigureLabel->text().startsWith("Эта серия: <b>" + figure + "</b>"));
    EXPECT_TRUE(form.HistoryFigureLabel->text().startsWith("Вся история: <b>" + figure + "</b>"));
    EXPECT_FALSE(form.RunFigureLabel->text().contains("сейчас"));
}

TEST_F(StatisticsFiguresTest, RowsAtFivePercentAreCountedAgainstWhatChanceGives) {
    auto statistics = Statistics();
    statistics->AddTraining(RecordOf(CoinGuesses(20, 0), run, 1));
    statistics->AddTraining(RecordOf(CoinGuesses(2, 2), run, 2));
    statistics->AddTraining(RecordOf({}, run, 3, false, 4)); // the timer answered everything
    const EvidenceSummary& summary = statistics->RunSummary();
    EXPECT_EQ(summary.Trainings, 3);
    EXPECT_EQ(summary.WithGuesses, 2);
    EXPECT_EQ(summary.AtMostFivePercent, 1);
    EXPECT_DOUBLE_EQ(summary.ChanceRowsAtMostFivePercent(), 0.1);
    EXPECT_EQ(summary.Guesses, 24);
    EXPECT_EQ(summary.RightAnswers, 22);
    EXPECT_DOUBLE_EQ(summary.Total.ExpectedRight, 12);
    EXPECT_DOUBLE_EQ(summary.Total.RightVariance, 6);
}

TEST_F(StatisticsFiguresTest, AbandonedTrainingsAreRowsWithoutARunNumber) {
    auto statistics = Statistics();
    statistics->AddTraining(RecordOf(CoinGuesses(3, 1), run, 1));
    statistics->AddTraining(RecordOf(CoinGuesses(1, 1), run, 2, true));
    statistics->AddTraining(RecordOf(CoinGuesses(2, 2), run, 3));
    EXPECT_EQ(statistics->RunTrainings(), 2);
    ASSERT_EQ(statistics->RowCount(), 3);
    EXPECT_EQ(statistics->Row(0).RunNumber, 1);
    EXPECT_EQ(statistics->Row(1).RunNumber, 0);
    EXPECT_TRUE(statistics->Row(1).InRun);
    EXPECT_EQ(statistics->Row(2).RunNumber, 2);
    EXPECT_EQ(statistics->RunSummary().Trainings, 3);
}

TEST_F(StatisticsFiguresTest, FailedAppendsStayInTheRowsAndAreWrittenWithTheNext) {
    auto statistics = Statistics();
    statistics->SetKeepHistory(true);
    BlockAppends();
    const TrainingRecord first = RecordOf(CoinGuesses(3, 1), run, 1);
    statistics->AddTraining(first);
    EXPECT_EQ(statistics->UnsavedCount(), 1);
    EXPECT_TRUE(statistics->WriteFailed());
    ASSERT_EQ(statistics->RowCount(), 1);
    EXPECT_FALSE(statistics->Row(0).Saved);
    EXPECT_EQ(statistics->RowRecords(), std::vector<TrainingRecord>{first});
    EXPECT_TRUE(HistoryStatusText(*statistics).contains("ещё не записанных"));
    // Still failing: the warning stays, with both trainings.
    const TrainingRecord second = RecordOf(CoinGuesses(1, 1), run, 2);
    statistics->AddTraining(second);
    EXPECT_EQ(statistics->UnsavedCount(), 2);
    EXPECT_TRUE(HistoryStatusText(*statistics).contains(": 2."));
    AllowAppends();
    const TrainingRecord third = RecordOf(CoinGuesses(2, 2), run, 3);
    statistics->AddTraining(third);
    EXPECT_EQ(statistics->UnsavedCount(), 0);
    EXPECT_FALSE(statistics->WriteFailed());
    const std::vector<TrainingRecord> lines = FileRecords();
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0].RightCount, first.RightCount);
    EXPECT_EQ(lines[1].RightCount, second.RightCount);
    EXPECT_EQ(lines[2].RightCount, third.RightCount);
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(statistics->Row(row).Saved) << row;
    EXPECT_TRUE(HistoryStatusText(*statistics).startsWith("История хранится"));
}

TEST_F(StatisticsFiguresTest, UnwrittenTrainingsAreWrittenAtExit) {
    {
        auto statistics = Statistics();
        statistics->SetKeepHistory(true);
        BlockAppends();
        statistics->AddTraining(RecordOf(CoinGuesses(3, 1), run, 1));
        ASSERT_EQ(statistics->UnsavedCount(), 1);
        AllowAppends();
    }
    ASSERT_EQ(FileRecords().size(), 1U);
    EXPECT_EQ(FileRecords()[0].RightCount, 3);
}

// The line goes through readings only, each stretch of them drawn by its
// lowest: the lowest drawn is the lowest read, never a value inside a
// training, and the line ends at the last reading.
TEST(ReadingCourseTest, DrawsReadingsOnlyKeepingTheLowestWithinTheLimit) {
    std::mt19937 random(11);
    std::normal_distribution<float> step(0.0F, 0.3F);
    for (const std::size_t trainings : {0U, 1U, 7U, 398U, 399U, 400U, 1000U, 20001U}) {
        std::vector<float> course;
        std::vector<std::size_t> readings;
        float value = 0;
        for (std::size_t training = 0; training < trainings; ++training) {
            for (std::size_t guess = 0; guess < 5; ++guess)
                course.push_back(value += step(random));
            readings.push_back(course.size());
        }
        const std::vector<CoursePoint> points = ReadingCourse(course, readings, 400);
        ASSERT_LE(points.size(), 400U) << trainings;
        EXPECT_EQ(points.front().Guess, 0);
        EXPECT_EQ(points.front().Log10Figure, NoEvidenceLevel);
        EXPECT_EQ(points.back().Guess, static_cast<double>(course.size()));
        if (trainings == 0)
            continue;
        if (trainings < 399) {
            EXPECT_EQ(points.size(), trainings + 1);
        }
        float highestRead = course[readings.front() - 1];
        for (const std::size_t reading : readings)
            highestRead = std::max(highestRead, course[reading - 1]);
        double drawnLowest = NoEvidenceLevel;
        for (std::size_t i = 1; i < points.size(); ++i) {
            EXPECT_GT(points[i].Guess, points[i - 1].Guess);
            const auto guesses = static_cast<std::size_t>(points[i].Guess);
            EXPECT_EQ(guesses % 5, 0U) << "a value inside a training";
            EXPECT_DOUBLE_EQ(points[i].Log10Figure, Log10Figure(course[guesses - 1]));
            drawnLowest = std::min(drawnLowest, points[i].Log10Figure);
        }
        EXPECT_DOUBLE_EQ(drawnLowest, std::min(NoEvidenceLevel, Log10Figure(highestRead)));
    }
}

TEST_F(StatisticsFiguresTest, DialogLeadsWithTheRunFigureAndWhatChanceGives) {
    auto statistics = Statistics();
    StatisticsForm form(nullptr, *statistics);
    EXPECT_EQ(form.RunFigureLabel->text(),
              "Эта серия: <b>нет свидетельств</b> — тренировок ещё не было.");
    form.AddTraining(RecordOf(CoinGuesses(20, 0), run, 1));
    form.AddTraining(RecordOf(CoinGuesses(1, 2), run, 2, true));
    form.AddTraining(RecordOf(CoinGuesses(0, 1), run, 3));
    form.Refresh();
    const QString decimal = UserNumberSeparators().Decimal;
    // The lowest figure came at the end of the first training; the later
    // wrong answers weakened it since.
    const QString lowest = BoundText(run.Track().LogBound());
    const QString now = BoundText(run.Track().LogLastBound());
    ASSERT_NE(lowest, now);
    const QString firstEnd =
        QDateTime::fromSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::seconds>(
                RecordOf({}, run, 1).Finished.time_since_epoch())
                .count())
            .toString("dd.MM.yyyy HH:mm");
    EXPECT_EQ(form.RunFigureLabel->text(),
              "Эта серия: <b>" + lowest + "</b> (после 1-й тренировки, " + firstEnd +
                  "; сейчас " + now +
                  ") — тренировок 3, из них прервано 1, ответов без таймера 24.");
    EXPECT_EQ(form.ExpectationLabel->text(),
              "Верных ответов в этой серии: 21 из 24; без интуиции ожидалось бы 12" + decimal +
                  "0\u00a0±\u00a02" + decimal + "4.");
    EXPECT_TRUE(form.RowsLabel->text().contains("5%: 1 из 3;"));
    EXPECT_TRUE(form.WarningLabel->text().contains("Одна удачная строка среди многих"));
    EXPECT_TRUE(form.HistoryFigureLabel->isHidden());
    EXPECT_TRUE(form.OlderLinesLabel->isHidden());
    EXPECT_FALSE(form.ExplanationLabel->text().contains("Случайно"));
}

TEST_F(StatisticsFiguresTest, TableMarksAbandonedRowsAndShowsEachRowsFigure) {
    auto statistics = Statistics();
    StatisticsForm form(nullptr, *statistics);
    // The history is kept, but its file cannot take the lines.
    statistics->SetKeepHistory(true);
    BlockAppends();
    const TrainingRecord finished = RecordOf(CoinGuesses(6, 1), run, 1);
    const TrainingRecord abandoned = RecordOf(CoinGuesses(2, 1), run, 2, true);
    form.AddTraining(finished);
    form.AddTraining(abandoned);
    ASSERT_EQ(form.TableModel().rowCount(), 2);
    EXPECT_EQ(form.TableModel().headerData(FigureColumn, Qt::Horizontal).toString(),
              "Без интуиции");
    EXPECT_EQ(Cell(form, 0, NumberColumn), "1");
    EXPECT_EQ(Cell(form, 0, NoteColumn), "не записана");
    EXPECT_EQ(Cell(form, 0, FigureColumn), BoundText(finished.Evidence->LogBound()));
    EXPECT_EQ(Cell(form, 1, NumberColumn), "");
    EXPECT_EQ(Cell(form, 1, PeasColumn), "3 из 8");
    EXPECT_EQ(Cell(form, 1, NoteColumn), "прервана, не записана");
    EXPECT_TRUE(
        form.TableModel().index(1, 0).data(Qt::ToolTipRole).toString().contains("ещё не записана"));
    EXPECT_EQ(Cell(form, 1, FigureColumn), BoundText(abandoned.Evidence->LogBound()));
    // Nothing went right beyond what a coin gives: no evidence at all.
    form.AddTraining(RecordOf(CoinGuesses(0, 3), run, 3));
    EXPECT_EQ(Cell(form, 2, FigureColumn), "нет свидетельств");
}

TEST_F(StatisticsFiguresTest, PictureDrawsTheRunsCourseWithTheTwoLevels) {
    auto statistics = Statistics();
    StatisticsForm form(nullptr, *statistics);
    for (int minute = 0; minute < 30; ++minute)
        form.AddTraining(RecordOf(CoinGuesses(20, 10), run, minute));
    form.Refresh();
    const TLineSeries& course = form.Picture().Course();
    ASSERT_EQ(run.LogWealthCourse().size(), 900U);
    EXPECT_EQ(course.Count(), 31);
    EXPECT_EQ(course.XValues().Last(), 900);
    for (const auto& [series, level] : {std::pair{&form.Picture().FivePercent(), FivePercentLevel},
                                        std::pair{&form.Picture().OnePercent(), OnePercentLevel}}) {
        ASSERT_EQ(series->Count(), 2);
        EXPECT_EQ(series->YValues().Value(0), level);
        EXPECT_EQ(series->YValues().Value(1), level);
        EXPECT_EQ(series->XValues().Value(1), 900);
    }
    // The line and a dot where each training ended, the figure read there;
    // the lowest is the run's headline.
    const TLineSeries& readings = form.Picture().Readings();
    ASSERT_EQ(readings.Count(), 30);
    double lowest = NoEvidenceLevel;
    for (int training = 0; training < 30; ++training) {
        const auto guesses = static_cast<std::size_t>(30 * (training + 1));
        EXPECT_EQ(readings.XValues().Value(training), static_cast<double>(guesses));
        EXPECT_EQ(course.XValues().Value(training + 1), static_cast<double>(guesses));
        EXPECT_DOUBLE_EQ(readings.YValues().Value(training),
                         Log10Figure(run.LogWealthCourse()[guesses - 1]));
        lowest = std::min(lowest, readings.YValues().Value(training));
    }
    EXPECT_NEAR(lowest, Log10Figure(-statistics->RunSummary().Reading.LogLowestBound()), 1e-6);
    // The scale is the figure in percent: 100 % near the top, with room for
    // a whole dot there and at both ends; the 5 % level where a mean wealth
    // of 20 puts it.
    const TChartAxis& left = form.EvidenceChart->LeftAxis();
    const TChartAxis& bottom = form.EvidenceChart->BottomAxis();
    EXPECT_GT(left.Maximum(), NoEvidenceLevel);
    EXPECT_LT(left.Maximum() - NoEvidenceLevel, 0.1 * (left.Maximum() - left.Minimum()));
    EXPECT_LT(left.Minimum(), lowest);
    EXPECT_LT(bottom.Minimum(), 0);
    EXPECT_GT(bottom.Maximum(), 900);
    EXPECT_DOUBLE_EQ(Log10Figure(std::log(20.0)), FivePercentLevel);
    EXPECT_DOUBLE_EQ(Log10Figure(-1.0), NoEvidenceLevel);
}

TEST_F(StatisticsFiguresTest, OlderHistoryLinesShowADashAndANoteWhy) {
    fs::create_directories(HistoryPath().parent_path());
    ASSERT_TRUE(ReplaceFileAtomically(HistoryPath(), OlderHistory));
    auto statistics = Statistics();
    statistics->SetKeepHistory(true);
    StatisticsForm form(nullptr, *statistics);
    form.AddTraining(RecordOf(CoinGuesses(9, 0), run, 1));
    form.Refresh();
    ASSERT_EQ(form.TableModel().rowCount(), 2);
    EXPECT_EQ(Cell(form, 0, FigureColumn), "—");
    EXPECT_EQ(Cell(form, 0, RightColumn), "3");
    EXPECT_EQ(Cell(form, 0, NoteColumn), "прежний запуск");
    EXPECT_EQ(Cell(form, 1, NoteColumn), "");
    EXPECT_FALSE(form.OlderLinesLabel->isHidden());
    EXPECT_TRUE(form.OlderLinesLabel->text().startsWith("Тренировок без оценки (—): 1."));
    EXPECT_TRUE(form.OlderLinesLabel->text().contains("прежняя версия программы"));
    EXPECT_FALSE(form.HistoryFigureLabel->isHidden());
    // The history's figure is that of the one line with evidence.
    EXPECT_TRUE(form.HistoryFigureLabel->text().startsWith(
        "Вся история: <b>" + BoundText(statistics->HistorySummary().Reading.LogLowestBound()) +
        "</b> (после 1-й тренировки, "))
        << form.HistoryFigureLabel->text().toStdString();
    EXPECT_TRUE(form.HistoryFigureLabel->text().endsWith(") — тренировок 1."));
}

TEST_F(StatisticsFiguresTest, ExportWritesTheRowsUnwrittenOnesIncluded) {
    auto statistics = Statistics();
    statistics->SetKeepHistory(true);
    BlockAppends();
    StatisticsForm form(nullptr, *statistics);
    form.AddTraining(RecordOf(CoinGuesses(3, 1), run, 1));
    form.AddTraining(RecordOf(CoinGuesses(1, 1), run, 2));
    EXPECT_EQ(Cell(form, 1, NoteColumn), "не записана");
    const QString target = folder.path() + "/export.csv";
    form.ChooseExportFile = [&] { return target; };
    form.ExportButton->click();
    const HistoryFile::Contents exported = HistoryFile(target.toStdString()).Load();
    ASSERT_EQ(exported.Records.size(), 2U);
    EXPECT_EQ(exported.Records[0].RightCount, 3);
    EXPECT_EQ(exported.Records[1].RightCount, 1);
    AllowAppends();
}

} // namespace
} // namespace kvarzel::testing
