// SPDX-License-Identifier: GPL-3.0-or-later
// Real training journals, written by the program's own code while trainings
// are played, whole and cut as a killed program or a power cut leaves them:
// the seeds of the journal parser's fuzz target. Run with
// KVARZEL_WRITE_JOURNAL_SEEDS=<folder> the test writes them into the folder
// (tests/data/journal/corpus), so that a change of the journal's format is
// followed by new seeds; without it, it checks that the journals read back
// and that the seeds on file are journals of the current format.
#include "core/history/history_csv.h"
#include "core/options.h"
#include "core/statistics_settings.h"
#include "core/training.h"
#include "platform/files/history_file.h"
#include "test_support/memory_registry_store.h"
#include "test_support/recording_training_view.h"
#include "test_support/registry_test_files.h"
#include "ui/statistics/training_statistics.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// Each step of a training reaches the statistics as the main window passes it
// on, and the journal, once written, is kept as it stands after each answer.
class JournalRecordingView : public RecordingTrainingView {
public:
    JournalRecordingView(TrainingStatistics& statistics, fs::path folder)
        : statistics_(statistics), folder_(std::move(folder)) {}

    void TrainingStarted(const TrainingRecord& started) override {
        known_ = Journals();
        statistics_.StartTraining(started);
    }
    void TrainingAnswered(const TrainingRecord& soFar) override {
        statistics_.TrainingAnswered(soFar);
        statistics_.WriteAnswer();
        AfterAnswers.push_back(ReadBytes(ThisJournal()));
    }
    void RecordTraining(const TrainingRecord& record) override {
        statistics_.AddTraining(record);
        Last = record;
        Whole = ReadBytes(ThisJournal());
    }

    std::vector<std::string> AfterAnswers;
    std::string Whole;
    TrainingRecord Last;

private:
    std::vector<fs::path> Journals() const {
        std::vector<fs::path> journals;
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path().filename().string().find(".journal-") != std::string::npos)
                journals.push_back(entry.path());
        return journals;
    }
    fs::path ThisJournal() const {
        for (const fs::path& journal : Journals())
            if (std::find(known_.begin(), known_.end(), journal) == known_.end())
                return journal;
        return {};
    }

    TrainingStatistics& statistics_;
    fs::path folder_;
    std::vector<fs::path> known_;
};

struct PlayedTraining {
    std::string Name;
    int Peas;
    int Ratio;
    std::vector<int> Answers; // 0 white, 1 black, 2 the timer's
    bool Finished;
};

class JournalSeedsTest : public ::testing::Test {
protected:
    void SetUp() override {
        options.BeepWrong = false;
        options.WaveWrong = false;
        Options = &options;
        ASSERT_TRUE(SaveKeepHistory(&settings, true));
        // The history's lock held: every journal, the finished ones too, stays.
        lock = ::open((History().string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    }
    void TearDown() override {
        ::close(lock);
        Options = nullptr;
    }

    fs::path History() const { return fs::path(folder.path().toStdString()) / "history.csv"; }

    // The journal texts of the training: after each answer, whole, and cut
    // within its last line and within an earlier one.
    std::map<std::string, std::string> Play(const PlayedTraining& played) {
        options.PeasCount = played.Peas;
        options.PeasRatio = played.Ratio;
        TrainingStatistics statistics(&settings, HistoryFile(History()), run,
                                      JournalPlaces{History(), History().parent_path() / "state"});
        statistics.ReadHistory();
        JournalRecordingView view(statistics, History().parent_path());
        TrainingRun training(view);
        training.Start();
        for (const int answer : played.Answers) {
            if (answer == 2)
                training.TimerAnswer();
            else
                training.ProcessAnswer(answer == 0 ? Answer::White : Answer::Black);
        }
        if (!played.Finished)
            training.Abandon();
        CheckReadBack(played, view);
        std::map<std::string, std::string> journals;
        for (std::size_t count = 1; count <= view.AfterAnswers.size(); count += 2)
            journals[played.Name + "-after-" + std::to_string(count)] = view.AfterAnswers[count - 1];
        const std::string& whole = view.Whole;
        journals[played.Name + "-whole"] = whole;
        journals[played.Name + "-cut-in-last-line"] = whole.substr(0, whole.size() - 9);
        journals[played.Name + "-cut-in-a-line"] = whole.substr(0, whole.size() / 2);
        statistics.FinishWriting(std::chrono::milliseconds{0}, false);
        return journals;
    }

    // The journal after each answer reads as the training so far; whole, as
    // the training recorded; cut in its last line, as the state written before.
    static void CheckReadBack(const PlayedTraining& played, const JournalRecordingView& view) {
        ASSERT_EQ(view.AfterAnswers.size(), played.Answers.size()) << played.Name;
        for (std::size_t count = 1; count <= view.AfterAnswers.size(); ++count) {
            const auto read = ParseJournalText(view.AfterAnswers[count - 1]);
            ASSERT_TRUE(read.has_value()) << played.Name << " after " << count;
            EXPECT_EQ(read->Answers.Total(), static_cast<int>(count)) << played.Name;
        }
        const auto whole = ParseJournalText(view.Whole);
        ASSERT_TRUE(whole.has_value()) << played.Name;
        EXPECT_EQ(whole->Answers, view.Last.Answers) << played.Name;
        EXPECT_EQ(whole->RightCount, view.Last.RightCount) << played.Name;
        EXPECT_EQ(whole->Abandoned, !played.Finished) << played.Name;
        // A finished training's last line follows the line of its last answer,
        // which still reads as a training under way.
        const auto cut = ParseJournalText(view.Whole.substr(0, view.Whole.size() - 9));
        ASSERT_TRUE(cut.has_value()) << played.Name;
        EXPECT_EQ(cut->Answers.Total(), static_cast<int>(played.Answers.size())) << played.Name;
        EXPECT_TRUE(cut->Abandoned) << played.Name;
    }

    QTemporaryDir folder;
    TOptions options;
    MemoryRegistryStore settings;
    RunEvidence run;
    int lock = -1;
};

const PlayedTraining Trainings[] = {
    {"finished-by-chance", 5, 0, {0, 1, 1, 0, 1}, true},
    {"finished-with-timer", 6, 12, {1, 2, 0, 2, 1, 0}, true},
    {"abandoned", 9, 4, {0, 0, 1, 2}, false},
};

TEST_F(JournalSeedsTest, PlayedTrainingsLeaveJournalsThatReadBack) {
    std::map<std::string, std::string> journals;
    for (const PlayedTraining& played : Trainings)
        journals.merge(Play(played));
    const char* target = std::getenv("KVARZEL_WRITE_JOURNAL_SEEDS");
    if (target == nullptr || *target == '\0')
        return;
    const fs::path corpus(target);
    fs::create_directories(corpus);
    for (const auto& entry : fs::directory_iterator(corpus))
        if (entry.path().extension() == ".journal")
            fs::remove(entry.path());
    for (const auto& [name, text] : journals)
        std::ofstream(corpus / (name + ".journal"), std::ios::binary) << text;
}

// The seeds on file are what the program writes now: a journal written whole
// reads as a training, whose line the writer writes as the journal ends.
TEST_F(JournalSeedsTest, TheSeedsOnFileAreJournalsOfTheCurrentFormat) {
    const char* data = std::getenv("KVARZEL_TEST_DATA");
    const fs::path corpus = fs::path(data != nullptr ? data : "tests/data") / "journal" / "corpus";
    int whole = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        const std::string name = entry.path().filename().string();
        if (name.find("-whole.journal") == std::string::npos &&
            name.find("-after-") == std::string::npos)
            continue;
        ++whole;
        // Its last line is what the writer makes of the training read from it now.
        const std::string text = ReadBytes(entry.path());
        const std::optional<TrainingRecord> read = ParseJournalText(text);
        EXPECT_TRUE(read.has_value() && text.ends_with(HistoryLine(*read)))
            << name << " is no journal of the current format: write the seeds anew with "
            << "KVARZEL_WRITE_JOURNAL_SEEDS=" << corpus.string()
            << " gui_tests --gtest_filter='JournalSeedsTest.*'";
    }
    EXPECT_GE(whole, 3);
}

} // namespace
} // namespace kvarzel::testing
