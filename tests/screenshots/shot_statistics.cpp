// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics dialog after a run of four trainings (one abandoned), and
// with the history kept, earlier trainings above this run's, one of them
// from the older format without evidence.
#include "core/run_evidence.h"
#include "core/training.h"
#include "platform/files/history_file.h"
#include "platform/settings/registry_file_store.h"
#include "screenshot_registry.h"
#include "ui/statistics/statistics_form.h"
#include "ui/statistics/training_statistics.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <random>

namespace kvarzel::screenshots {
namespace {

struct Plan {
    int Minute;
    int Peas;
    int Ratio;
    int Black; // -1: a chance bucket
    int Answered;
    int Timer; // the last answers, given by the timer
};

// A player right a little more often than chance, through the bucket's real
// null chances; every guess goes to the run's evidence as well.
TrainingRecord Play(const Plan& plan, RunEvidence& run, std::mt19937& random) {
    using namespace std::chrono;
    TrainingRecord record;
    record.Finished = sys_days{2026y / 12 / 7} + hours{9} + minutes{plan.Minute};
    record.PeasCount = plan.Peas;
    record.PeasRatio = plan.Ratio;
    record.TimerEnabled = plan.Timer > 0;
    record.TimeInterval = 1000;
    record.Bucket = {plan.Black < 0, std::max(plan.Black, 0)};
    record.Abandoned = plan.Answered < plan.Peas;
    int black = plan.Black, white = plan.Peas - plan.Black;
    EvidenceTrack evidence;
    std::uniform_real_distribution<double> uniform;
    for (int pea = 0; pea < plan.Answered; ++pea) {
        const bool chance = plan.Black < 0;
        const double blackShare = chance ? 0.5 : double(black) / (black + white);
        const bool isBlack = uniform(random) < blackShare;
        (isBlack ? black : white) -= chance ? 0 : 1;
        if (pea >= plan.Answered - plan.Timer) {
            ++record.Answers.Timer;
            continue;
        }
        const bool right = uniform(random) < 0.62;
        const bool saysBlack = right == isBlack;
        ++(saysBlack ? record.Answers.Black : record.Answers.White);
        const double nullChance = chance ? 0.5 : saysBlack ? blackShare : 1 - blackShare;
        evidence.AddGuess(nullChance, right);
        run.AddGuess(nullChance, right);
        record.RightCount += right ? 1 : 0;
    }
    evidence.Read();
    run.EndTraining();
    record.Evidence = evidence;
    record.Percentage = ExactPercentage(record.RightCount, plan.Answered);
    return record;
}

void PlayRun(StatisticsForm& form, RunEvidence& run) {
    std::mt19937 random(2026);
    for (const Plan& plan : {Plan{15, 10, 0, -1, 10, 0}, Plan{21, 200, 10, 100, 200, 0},
                             Plan{24, 30, 0, -1, 12, 0}, Plan{30, 40, 15, 30, 40, 2}})
        form.AddTraining(Play(plan, run, random));
}

bool Render(StatisticsForm& form, const QString& folder, const QString& name) {
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    return SaveWidget(form, folder, name);
}

const Register run{"statistics", [](const QString& folder) {
                       QTemporaryDir data;
                       RunEvidence evidence;
                       TrainingStatistics statistics(
                           nullptr, HistoryFile(data.filePath("history.csv").toStdString()),
                           evidence);
                       StatisticsForm form(nullptr, statistics);
                       PlayRun(form, evidence);
                       return Render(form, folder, "statistics");
                   }};

// The dialog shows the history file's path: a folder of a fixed name beside
// the pictures, emptied first, draws the same picture every time.
class HistoryFolder {
public:
    explicit HistoryFolder(const QString& pictures)
        : folder_(QDir(pictures).absoluteFilePath("statistics-history")) {
        QDir(folder_).removeRecursively();
        QDir().mkpath(folder_);
    }
    ~HistoryFolder() { QDir(folder_).removeRecursively(); }
    QString filePath(const QString& name) const { return QDir(folder_).filePath(name); }

private:
    QString folder_;
};

const Register history{"statistics_history", [](const QString& folder) {
                           const HistoryFolder data(folder);
                           RegistryFileStore settings(data.filePath("Kvarzel.reg").toStdString());
                           HistoryFile file(data.filePath("history.csv").toStdString());
                           std::mt19937 random(7);
                           RunEvidence earlierRun;
                           TrainingRecord older = Play({0, 100, 0, -1, 100, 0}, earlierRun, random);
                           older.Finished -= std::chrono::days{2};
                           older.Evidence.reset();
                           TrainingRecord earlier = Play({5, 60, 0, -1, 60, 0}, earlierRun, random);
                           earlier.Finished -= std::chrono::days{1};
                           HistoryFile::Contents before;
                           file.Append(std::span(&older, 1), before);
                           file.Append(std::span(&earlier, 1), before);
                           RunEvidence evidence;
                           TrainingStatistics statistics(&settings, file, evidence);
                           statistics.SetKeepHistory(true);
                           StatisticsForm form(nullptr, statistics);
                           PlayRun(form, evidence);
                           return Render(form, folder, "statistics_history");
                       }};

} // namespace
} // namespace kvarzel::screenshots
