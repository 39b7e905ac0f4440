// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/journal_text.h"
#include "core/options.h"
#include "core/statistics_settings.h"
#include "core/training.h"
#include "platform/desktop/application.h"
#include "platform/files/history_file.h"
#include "test_support/history_test_records.h"
#include "test_support/memory_registry_store.h"
#include "test_support/message_box_closer.h"
#include "test_support/recording_training_view.h"
#include "test_support/wait_for.h"
#include "ui/statistics/statistics_form.h"
#include "ui/statistics/statistics_texts.h"
#include "ui/statistics/training_statistics.h"

#include <QCheckBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// A window of the program as far as the history goes: each step of the
// training reaches the statistics as the main window passes it on. When the
// answer `stopAt` has been judged (the result box, for the last), it writes a
// byte to `report` and waits to be killed.
class KilledView : public RecordingTrainingView {
public:
    KilledView(TrainingStatistics& statistics, int stopAt, int report)
        : statistics_(statistics), stopAt_(stopAt), report_(report) {}

    void TrainingStarted(const TrainingRecord& started) override { statistics_.StartTraining(started); }
    // The event loop writes the answer once its circle is painted.
    void TrainingAnswered(const TrainingRecord& soFar) override {
        statistics_.TrainingAnswered(soFar);
        statistics_.WriteAnswer();
        if (soFar.Answers.Total() == stopAt_ && stopAt_ < soFar.PeasCount)
            WaitForTheKill();
    }
    void RecordTraining(const TrainingRecord& record) override { statistics_.AddTraining(record); }
    void ShowResultMessage(const std::string&) override { WaitForTheKill(); }

private:
    void WaitForTheKill() const {
        const char byte = 1;
        if (::write(report_, &byte, 1) == 1)
            for (;;)
                ::pause();
        ::_exit(3);
    }

    TrainingStatistics& statistics_;
    int stopAt_;
    int report_;
};

class HistoryJournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        options.PeasCount = Peas;
        options.PeasRatio = 0;
        options.BeepWrong = false;
        options.WaveWrong = false;
        Options = &options;
        ASSERT_TRUE(SaveKeepHistory(&settings, true));
    }
    void TearDown() override { Options = nullptr; }

    fs::path HistoryPath() const { return fs::path(folder.path().toStdString()) / "history.csv"; }
    JournalPlaces Places() const { return {HistoryPath(), HistoryPath().parent_path() / "state"}; }
    std::unique_ptr<TrainingStatistics> Statistics(RegistryStore* store) {
        return std::make_unique<TrainingStatistics>(store, HistoryFile(HistoryPath()), run,
                                                    Places());
    }
    int Journals() const {
        int count = 0;
        for (const fs::path& place : {HistoryPath().parent_path(), Places().Fallback})
            if (fs::exists(place))
                for (const auto& entry : fs::directory_iterator(place))
                    count += entry.path().filename().string().find(".journal-") !=
                             std::string::npos;
        return count;
    }

    // A child process plays a kept training up to answer `stopAt` and is
    // killed there with SIGKILL, nothing of its own exit running.
    void PlayAndKillAt(int stopAt) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(report[0]);
            auto statistics = Statistics(&settings);
            statistics->ReadHistory();
            KilledView view(*statistics, stopAt, report[1]);
            TrainingRun training(view);
            training.Start();
            for (int answer = 0; answer < Peas; ++answer)
                training.ProcessAnswer(answer % 3 == 0 ? Answer::Black : Answer::White);
            ::_exit(2);
        }
        ::close(report[1]);
        char byte = 0;
        const ssize_t got = ::read(report[0], &byte, 1);
        ::close(report[0]);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_EQ(got, 1) << "the child ended before its answer " << stopAt;
        ASSERT_TRUE(WIFSIGNALED(status));
    }

    static constexpr int Peas = 5;
    QTemporaryDir folder;
    TOptions options;
    MemoryRegistryStore settings;
    RunEvidence run;
};

// Killed after any answer, the training is on disk; the next start adds it,
// abandoned with every answer given, or finished when the kill came while
// its result box was up.
TEST_F(HistoryJournalTest, AKillAtAnyAnswerLeavesATrainingTheNextStartCompletes) {
    for (int stopAt = 1; stopAt <= Peas; ++stopAt) {
        PlayAndKillAt(stopAt);
        // A finished training went to the history before its box.
        EXPECT_EQ(Journals(), stopAt < Peas ? 1 : 0) << stopAt;
        auto next = Statistics(&settings);
        next->ReadHistory();
        const std::vector<TrainingRecord> lines = next->History().Records;
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(stopAt)) << stopAt;
        const TrainingRecord& training = lines.back();
        EXPECT_EQ(training.Answers.Total(), stopAt);
        EXPECT_EQ(training.Abandoned, stopAt < Peas);
        EXPECT_TRUE(training.Evidence.has_value());
        EXPECT_EQ(training.Evidence->Total.LogWealth.size(), BetCount);
        EXPECT_EQ(Journals(), 0) << stopAt;
        // Another start adds nothing again.
        Statistics(&settings)->ReadHistory();
        EXPECT_EQ(HistoryFile(HistoryPath()).Load().Records.size(),
                  static_cast<std::size_t>(stopAt));
    }
}

// The dialog's statistics notice lines another program added.
TEST_F(HistoryJournalTest, AHistoryChangedUnderTheStatisticsIsReadAgain) {
    auto statistics = Statistics(&settings);
    PlayAndKillAt(Peas);
    statistics->ReadHistory();
    ASSERT_EQ(statistics->RowCount(), 1);
    PlayAndKillAt(Peas);
    statistics->NoticeChangedHistory();
    EXPECT_EQ(statistics->RowCount(), 2);
}

// A journal that a running copy holds is left to it.
TEST_F(HistoryJournalTest, AJournalInUseIsNotTaken) {
    auto playing = Statistics(&settings);
    TrainingRecord soFar;
    soFar.PeasCount = 2;
    soFar.Bucket = {true, 0};
    soFar.Answers = {1, 0, 0};
    soFar.RightCount = 1;
    soFar.Percentage = 100;
    soFar.Abandoned = true;
    playing->StartTraining(soFar);
    playing->TrainingAnswered(soFar);
    playing->WriteAnswer();
    auto other = Statistics(&settings);
    other->ReadHistory();
    EXPECT_TRUE(other->History().Records.empty());
    EXPECT_EQ(Journals(), 1);
}

// Every failure keeps the lines (in the journal), says why, and the next
// start that can write adds them.
TEST_F(HistoryJournalTest, FailuresKeepTheLinesAndSayWhy) {
    struct Failure {
        const char* Name;
        std::function<void()> Make;
        std::function<void()> Undo;
        const char* Reason;
    };
    const fs::path lock = HistoryPath().string() + ".lock";
    const fs::path aside = HistoryPath().string() + ".aside";
    int held = -1;
    const std::vector<Failure> failures{
        {"busy lock",
         [&] {
             held = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600);
             ::flock(held, LOCK_EX);
         },
         [&] {
             ::close(held);
             fs::remove(lock);
         },
         "заблокирован другой программой"},
        {"lock is a link",
         [&] {
             fs::remove(lock);
             fs::create_symlink("/etc/passwd", lock);
         },
         [&] { fs::remove(lock); }, "ссылка"},
        {"history is a folder",
         [&] {
             fs::rename(HistoryPath(), aside);
             fs::create_directory(HistoryPath());
         },
         [&] {
             fs::remove(HistoryPath());
             fs::rename(aside, HistoryPath());
         },
         "не обычный файл"},
    };
    std::size_t written = 0;
    for (const Failure& failure : failures) {
        failure.Make();
        {
            auto statistics = Statistics(&settings);
            PlayAndKillAt(Peas); // a journal left, finished
            statistics->ReadHistory();
            EXPECT_EQ(Journals(), 1) << failure.Name;
            EXPECT_TRUE(QString::fromStdString(WriteFailureText(statistics->Failure()))
                            .contains(failure.Reason))
                << failure.Name << " " << WriteFailureText(statistics->Failure());
            EXPECT_EQ(statistics->UnsavedCount(), 1) << failure.Name;
            EXPECT_TRUE(HistoryStatusText(*statistics).contains(failure.Reason)) << failure.Name;
            ::testing::internal::CaptureStderr();
            statistics->FinishWriting(std::chrono::milliseconds{0}, false);
            EXPECT_TRUE(QString::fromStdString(::testing::internal::GetCapturedStderr())
                            .contains(failure.Reason))
                << failure.Name;
        }
        failure.Undo();
        Statistics(&settings)->ReadHistory();
        ++written;
        EXPECT_EQ(HistoryFile(HistoryPath()).Load().Records.size(), written) << failure.Name;
        EXPECT_EQ(Journals(), 0) << failure.Name;
    }
}

// A keeping choice the settings cannot store is said at once, with its
// reason, and holds for the run: the box is not unticked silently.
TEST_F(HistoryJournalTest, AChoiceThatCannotBeStoredIsSaidAtOnce) {
    auto statistics = Statistics(&settings);
    StatisticsForm form(nullptr, *statistics);
    settings.FailCommit = true;
    MessageBoxCloser closer;
    form.HistoryCheckBox->click();
    EXPECT_FALSE(statistics->KeepHistory());
    EXPECT_FALSE(form.HistoryCheckBox->isChecked());
    ASSERT_EQ(closer.Texts.size(), 1);
    EXPECT_TRUE(closer.Texts.front().contains("не удалось сохранить"));
    EXPECT_TRUE(closer.Texts.front().contains("Причина: "));
}

// The history's folder refuses new files: the journal goes to the user's
// own folder, and its line reaches the history from there.
TEST_F(HistoryJournalTest, AFolderThatRefusesSendsTheJournalToTheFallback) {
    const fs::path blocked = HistoryPath().parent_path() / "blocked";
    fs::create_directories(blocked);
    fs::path history = blocked / "history.csv";
    // A path under a regular file: nothing can be made there, even by root.
    fs::path notAFolder = blocked / "file";
    { std::ofstream(notAFolder.string()) << "x"; }
    const JournalPlaces places{notAFolder / "history.csv", Places().Fallback};
    WriteFailure why = WriteFailure::None;
    auto journal = TrainingJournal::Create(places, TrainingSoFar(0, 10), why);
    ASSERT_NE(journal, nullptr);
    EXPECT_EQ(journal->Path().parent_path(), places.Fallback);
    const JournalPlaces nowhere{notAFolder / "history.csv", notAFolder / "state"};
    EXPECT_EQ(TrainingJournal::Create(nowhere, TrainingSoFar(0, 10), why), nullptr);
    EXPECT_EQ(why, WriteFailure::FolderNotWritable);
}

// More journals than one step of the window looks at: they are completed a
// step at a time between events, and the history's figure waits meanwhile,
// saying why, for a journal not yet seen may hold any earlier training.
TEST_F(HistoryJournalTest, ManyJournalsAreCompletedStepByStepWhileTheFigureWaits) {
    constexpr int Left = 1200;
    const std::string heading = JournalHeading(HistoryName(HistoryPath()));
    for (int number = 0; number < Left; ++number) {
        TrainingRecord soFar = TrainingSoFar(3, 5);
        soFar.Start->Id = TrainingId{{0x3A7, static_cast<std::uint64_t>(number)}};
        const std::string name = std::to_string(100000 + number);
        std::ofstream(HistoryPath().string() + ".journal-" + name, std::ios::binary)
            << heading << HistoryLine(soFar);
    }
    auto statistics = Statistics(&settings);
    statistics->ReadHistory();
    EXPECT_TRUE(HistoryFigureText(statistics->HistorySummary())
                    .startsWith("Вся история: ждёт, пока программа прочитает журналы"));
    EXPECT_GT(Journals(), 0);
    ASSERT_TRUE(WaitFor([&] { return Journals() == 0; }, 20000))
        << Journals() << " " << HistoryFile(HistoryPath()).Load().Records.size();
    EXPECT_EQ(HistoryFile(HistoryPath()).Load().Records.size(), static_cast<std::size_t>(Left));
    EXPECT_FALSE(HistoryFigureText(statistics->HistorySummary()).contains("ждёт"));
}

} // namespace
} // namespace kvarzel::testing
