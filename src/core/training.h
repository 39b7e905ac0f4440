#pragma once

#include "core/run_evidence.h"
#include "core/training_record.h"
#include "core/training_view.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvarzel {

// Share of right answers in percent, computed in extended precision and
// stored as a double.
double ExactPercentage(std::int32_t RightCount, std::int32_t PeasCount);
// Nearest whole percentage, ties to even (12.5 gives 12).
std::int32_t WholePercentage(double p);
// "Ваша интуиция составляет 38%." (UTF-8).
std::string ResultMessage(std::int32_t WholePercent);

// The trainings of a run. It reads the settings live from `Options` at every
// step that needs one and drives the window through a TrainingView.
class TrainingRun {
public:
    // A training never holds more peas than the options dialog offers.
    static constexpr std::int32_t MaxPeas = 9999;

    explicit TrainingRun(TrainingView& view) : view_(view) {}

    // A new training: seed, fill, reset, show the buttons, arm the timer.
    void Start();
    // The answer step; an answer arriving while one is being processed is dropped.
    void ProcessAnswer(Answer answer);
    // The timer ran out: the wrong answer for the next pea.
    void TimerAnswer();

    const std::vector<bool>& Peas() const { return Peas_; }
    std::int32_t DrawIndex() const { return DrawIndex_; }
    std::int32_t RightCount() const { return RightCount_; }
    std::int32_t TrainingCount() const { return TrainingCount_; }
    bool Answering() const { return Answering_; }
    // How the answers of the current training came so far.
    const AnswerMix& Answers() const { return Answers_; }
    // The pea count of the current training, fixed when it started.
    std::int32_t PeasCount() const { return static_cast<std::int32_t>(Peas_.size()); }
    // The evidence of every guess of the run, abandoned trainings included.
    const RunEvidence& Evidence() const { return evidence_; }

private:
    enum class AnswerSource { User, Timer };

    bool HasPeaToDraw() const { return DrawIndex_ < PeasCount(); }
    void AnswerStep(Answer answer, AnswerSource source);
    void CountAnswer(Answer answer, AnswerSource source);
    TrainingRecord FinishedRecord(double percentage) const;
    void SoundWrongAnswer();
    void EndTraining();

    TrainingView& view_;
    std::vector<bool> Peas_;
    std::int32_t DrawIndex_ = 0;
    std::int32_t RightCount_ = 0;
    std::int32_t TrainingCount_ = 0;
    bool Answering_ = false;
    // What the current training started with, for its record.
    TrainingRecord Started_;
    AnswerMix Answers_;
    RunEvidence evidence_;
};

} // namespace kvarzel
