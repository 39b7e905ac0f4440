// The statistics dialog after three trainings of a run, and with the history
// kept, earlier trainings above this run's.
#include "platform/history_file.h"
#include "platform/registry_file_store.h"
#include "screenshot_registry.h"
#include "ui/statistics/statistics_form.h"
#include "ui/statistics/training_statistics.h"

#include <QTemporaryDir>
#include <QTest>

#include <chrono>

namespace kvarzel::screenshots {
namespace {

TrainingRecord Training(int minute, int peas, int ratio, int black, AnswerMix answers, int right) {
    using namespace std::chrono;
    TrainingRecord record;
    record.Finished = sys_days{2026y / 12 / 7} + hours{9} + minutes{minute};
    record.PeasCount = peas;
    record.PeasRatio = ratio;
    record.TimerEnabled = answers.Timer > 0;
    record.TimeInterval = 1000;
    record.Bucket = {black < 0, std::max(black, 0)};
    record.Answers = answers;
    record.RightCount = right;
    record.Percentage = 100.0 * right / peas;
    return record;
}

void PlayRun(TStatisticsForm& form) {
    form.AddTraining(Training(15, 10, 0, -1, {5, 5, 0}, 6));
    form.AddTraining(Training(21, 200, 10, 100, {104, 96, 0}, 120));
    form.AddTraining(Training(30, 40, 15, 30, {8, 30, 2}, 29));
}

bool Render(TStatisticsForm& form, const QString& folder, const QString& name) {
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    return saveWidget(form, folder, name);
}

const Register run{"statistics", [](const QString& folder) {
                       QTemporaryDir data;
                       TrainingStatistics statistics(
                           nullptr, HistoryFile(data.filePath("history.csv").toStdString()));
                       TStatisticsForm form(nullptr, statistics);
                       PlayRun(form);
                       return Render(form, folder, "statistics");
                   }};

const Register history{"statistics_history", [](const QString& folder) {
                           QTemporaryDir data;
                           RegistryFileStore settings(data.filePath("Kvarzel.reg").toStdString());
                           HistoryFile file(data.filePath("history.csv").toStdString());
                           TrainingRecord earlier = Training(0, 100, 0, -1, {50, 50, 0}, 48);
                           earlier.Finished -= std::chrono::days{1};
                           HistoryFile::Contents before;
                           file.Append(std::span(&earlier, 1), before);
                           TrainingStatistics statistics(&settings, file);
                           statistics.SetKeepHistory(true);
                           TStatisticsForm form(nullptr, statistics);
                           PlayRun(form);
                           return Render(form, folder, "statistics_history");
                       }};

} // namespace
} // namespace kvarzel::screenshots
