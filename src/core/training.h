// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guess_evidence.h"
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

    // A new training: abandon the current one, seed, fill, reset, show the
    // buttons, arm the timer.
    void Start();
    // Ends a training that is under way and has answers before its end: it is
    // recorded as abandoned, for its evidence, and nothing else shows. Called
    // by a new start and when the window closes; without such a training it
    // does nothing. No answer is taken after it until the next start.
    void Abandon();
    // The answer step; an answer arriving while one is being processed is dropped.
    void ProcessAnswer(Answer answer);
    // The timer ran out: the wrong answer for the next pea.
    void TimerAnswer();

    const std::vector<bool>& Peas() const { return peas_; }
    std::int32_t DrawIndex() const { return drawIndex_; }
    std::int32_t RightCount() const { return rightCount_; }
    std::int32_t TrainingCount() const { return trainingCount_; }
    bool Answering() const { return answering_; }
    // Started and neither ended nor abandoned.
    bool UnderWay() const { return underWay_; }
    // How the answers of the current training came so far.
    const AnswerMix& Answers() const { return answers_; }
    // The pea count of the current training, fixed when it started.
    std::int32_t PeasCount() const { return static_cast<std::int32_t>(peas_.size()); }
    // The evidence of the current training's guesses, and of every guess of
    // the run, abandoned trainings included; both are read when a training ends.
    const EvidenceTrack& TrainingEvidence() const { return trainingEvidence_; }
    const RunEvidence& Evidence() const { return runEvidence_; }

private:
    enum class AnswerSource { User, Timer };

    bool HasPeaToDraw() const { return drawIndex_ < PeasCount(); }
    void AnswerStep(Answer answer, AnswerSource source);
    void NextPeaOrEnd();
    void CountAnswer(Answer answer, AnswerSource source, bool right);
    double NullChance(Answer answer) const;
    void DrawPea(bool black);
    TrainingRecord Record(double percentage, bool abandoned) const;
    void SoundWrongAnswer();
    void ReadFigures();
    void EndTraining();

    TrainingView& view_;
    std::vector<bool> peas_;
    std::int32_t drawIndex_ = 0;
    std::int32_t rightCount_ = 0;
    std::int32_t trainingCount_ = 0;
    bool answering_ = false;
    // From a start until the training ends or is abandoned.
    bool underWay_ = false;
    // Black peas not yet drawn, for the null chance of a guess.
    std::int32_t blackLeft_ = 0;
    EvidenceTrack trainingEvidence_;
    RunEvidence runEvidence_;
    // What the current training started with, for its record.
    TrainingRecord started_;
    AnswerMix answers_;
};

} // namespace kvarzel
