// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/statistics_settings.h"
#include "core/utc_clock.h"
#include "test_support/history_program.h"
#include "test_support/memory_registry_store.h"
#include "ui/statistics/statistics_texts.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// Two copies of the program on settings folders of their own and one data
// folder, as two XDG_CONFIG_HOME with one XDG_DATA_HOME make them.
class HistoryCopiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        options.PeasCount = 4;
        options.TimerEnabled = false;
        options.BeepWrong = false;
        options.WaveWrong = false;
        Options = &options;
        SetMomentSource([this] { return now += seconds{1}; });
        SaveKeepHistory(&firstSettings, true);
        SaveKeepHistory(&secondSettings, true);
    }
    void TearDown() override {
        SetMomentSource({});
        Options = nullptr;
    }
    fs::path History() const { return fs::path(folder.path().toStdString()) / "history.csv"; }
    static void Answer(HistoryProgram& copy, int answers, kvarzel::Answer answer) {
        for (int given = 0; given < answers; ++given)
            copy.Training().ProcessAnswer(answer);
    }
    static QString Headline(const HistoryProgram& copy) {
        return HistoryFigureText(copy.Statistics().HistorySummary());
    }

    TOptions options;
    system_clock::time_point now = sys_days{2026y / 12 / 8} + hours{9};
    QTemporaryDir folder;
    MemoryRegistryStore firstSettings;
    MemoryRegistryStore secondSettings;
};

// A training left open in one copy while the other plays on holds the
// history's readings back in both, and says so; once it ends, both dialogs
// show the same figure, its losing answers read in their place in time.
TEST_F(HistoryCopiesTest, ATrainingOpenInOneCopyHoldsTheReadingsBackInBoth) {
    HistoryProgram first(firstSettings, History());
    HistoryProgram second(secondSettings, History());
    first.Training().Start();
    const auto parkedStart = now;
    Answer(first, 2, Answer::White);
    second.Training().Start();
    Answer(second, 4, Answer::Black);
    second.Training().Start();
    Answer(second, 4, Answer::Black);
    const QString started =
        QDateTime::fromSecsSinceEpoch(system_clock::to_time_t(parkedStart)).toString("dd.MM.yyyy HH:mm");
    EXPECT_TRUE(Headline(second).startsWith("Вся история: ждёт тренировку, начатую " + started +
                                            "; до её начала <b>"))
        << Headline(second).toStdString();
    EXPECT_TRUE(Headline(second).endsWith(" — тренировок 2, из них ждут её конца 2."))
        << Headline(second).toStdString();
    // The other copy's dialog, opened, looks at the file again.
    first.Statistics().NoticeChangedHistory();
    EXPECT_EQ(Headline(first), Headline(second));
    // The open training ends; the other copy sees its line when it looks again.
    Answer(first, 2, Answer::White);
    second.Statistics().NoticeChangedHistory();
    EXPECT_FALSE(Headline(second).contains("ждёт")) << Headline(second).toStdString();
    EXPECT_EQ(Headline(first), Headline(second));
    EXPECT_EQ(first.Statistics().HistorySummary().Reading.Readings().size(), 1U);
}

} // namespace
} // namespace kvarzel::testing
