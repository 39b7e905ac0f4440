// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run_evidence.h"
#include "core/training.h"
#include "platform/files/history_file.h"
#include "test_support/recording_training_view.h"
#include "ui/statistics/training_statistics.h"

#include <cmath>
#include <filesystem>
#include <string>

namespace kvarzel::testing {

// The program as far as the history goes, without its windows, on a settings
// store and a history file that outlive it: each object is a new start of
// the program, with new statistics.
class HistoryProgram : public RecordingTrainingView {
public:
    HistoryProgram(RegistryStore& settings, const std::filesystem::path& history)
        : statistics_(&settings, HistoryFile(history), training_.Evidence()) {
        statistics_.ReadHistory();
    }
    void ShowAnswerButtons() override {}
    void ArmAnswerTimer(int, bool) override {}
    void SetAnswerTimerEnabled(bool) override {}
    void ShowSignal(bool, int) override {}
    void ProcessPendingEvents() override {}
    void ClearAnswerBold() override {}
    void ShowResultMessage(const std::string&) override {}
    void AddResult(double, int) override {}
    void HideAnswerControls() override {}
    void TrainingStarted(const TrainingRecord& started) override {
        statistics_.StartTraining(started);
    }
    void TrainingAnswered(const TrainingRecord& soFar) override {
        statistics_.TrainingAnswered(soFar);
        statistics_.WriteAnswer(); // as the event loop does after the answer step
    }
    void RecordTraining(const TrainingRecord& record) override { statistics_.AddTraining(record); }

    TrainingRun& Training() { return training_; }
    TrainingStatistics& Statistics() { return statistics_; }
    const TrainingStatistics& Statistics() const { return statistics_; }
    double RunBound() const { return training_.Evidence().Track().Bound(); }
    // The history's headline in this copy: its lowest figure, and its current one.
    double HistoryLowest() const {
        return std::exp(statistics_.HistorySummary().Reading.LogLowestBound());
    }
    double HistoryCurrent() const {
        return std::exp(statistics_.HistorySummary().Reading.LogCurrentBound());
    }
    // The user closes the program: the training under way is abandoned.
    void Close() { training_.Abandon(); }

private:
    TrainingRun training_{*this};
    TrainingStatistics statistics_;
};

} // namespace kvarzel::testing
