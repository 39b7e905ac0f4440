// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/training.h"

#include "core/bucket.h"
#include "core/extended_math.h"
#include "core/options.h"
#include "core/random_source.h"
#include "core/ratio_scale.h"

#include <algorithm>

namespace kvarzel {

double ExactPercentage(std::int32_t RightCount, std::int32_t PeasCount) {
    if (PeasCount <= 0)
        return 0.0;
    return static_cast<double>(static_cast<Extended>(RightCount) /
                               static_cast<Extended>(PeasCount) * 100);
}

std::int32_t WholePercentage(double p) {
    return static_cast<std::int32_t>(RoundHalfEven(p));
}

std::string ResultMessage(std::int32_t WholePercent) {
    return "Ваша интуиция составляет " + std::to_string(WholePercent) + "%" + ".";
}

namespace {

// The settings a training starts with, read as the bucket filling reads them.
TrainingRecord StartedRecord(std::int32_t peasCount) {
    TrainingRecord record;
    record.PeasCount = peasCount;
    record.PeasRatio = ClampRatio(Options->PeasRatio);
    record.TimerEnabled = Options->TimerEnabled;
    record.TimeInterval = Options->TimeInterval;
    record.Bucket = BucketFor(peasCount, record.PeasRatio);
    return record;
}

} // namespace

void TrainingRun::Start() {
    Abandon();
    SeedFromClock();
    // The count is fixed here: a count changed in the options during the
    // training must neither judge peas that do not exist nor push the
    // percentage past 100.
    FillPeas(Peas_, std::clamp(Options->PeasCount, 1, MaxPeas), Options->PeasRatio);
    Started_ = StartedRecord(PeasCount());
    Answers_ = {};
    BlackLeft_ = static_cast<std::int32_t>(std::count(Peas_.begin(), Peas_.end(), true));
    TrainingEvidence_ = {};
    UnderWay_ = true;
    DrawIndex_ = 0;
    view_.ShowAnswerButtons();
    RightCount_ = 0;
    view_.ArmAnswerTimer(Options->TimeInterval, Options->TimerEnabled);
}

// An abandoned training is no result of the run, but its guesses were made
// and stay in the evidence: leaving them out would let a player keep only
// the trainings that began well. One whose last answer was given but whose
// end a start or a close cut off counts as abandoned too.
void TrainingRun::Abandon() {
    if (!UnderWay_)
        return;
    UnderWay_ = false;
    if (Answers_.Total() == 0)
        return;
    view_.RecordTraining(Record(ExactPercentage(RightCount_, Answers_.Total()), true));
}

void TrainingRun::ProcessAnswer(Answer answer) {
    AnswerStep(answer, AnswerSource::User);
}

void TrainingRun::AnswerStep(Answer answer, AnswerSource source) {
    if (Answering_ || !UnderWay_ || !HasPeaToDraw())
        return;
    Answering_ = true;
    const bool peaIsBlack = Peas_[static_cast<std::size_t>(DrawIndex_)];
    const bool right = (answer == Answer::Black) == peaIsBlack;
    CountAnswer(answer, source, right);
    DrawPea(peaIsBlack);
    if (right)
        ++RightCount_;
    view_.ShowSignal(right, DrawIndex_);
    if (!right) {
        view_.ProcessPendingEvents();
        SoundWrongAnswer();
    }
    // A start that ran during the pending events has reset DrawIndex, so
    // this test sees the new training; a close has abandoned the training,
    // which then neither goes on nor ends.
    if (UnderWay_)
        NextPeaOrEnd();
    Answering_ = false;
}

void TrainingRun::NextPeaOrEnd() {
    if (HasPeaToDraw())
        view_.SetAnswerTimerEnabled(Options->TimerEnabled);
    else
        EndTraining();
}

void TrainingRun::TimerAnswer() {
    view_.SetAnswerTimerEnabled(false);
    if (!UnderWay_ || !HasPeaToDraw())
        return;
    const bool peaIsBlack = Peas_[static_cast<std::size_t>(DrawIndex_)];
    AnswerStep(peaIsBlack ? Answer::White : Answer::Black, AnswerSource::Timer);
}

// A timer answer is no guess: it carries no evidence, though its pea leaves
// the bucket.
void TrainingRun::CountAnswer(Answer answer, AnswerSource source, bool right) {
    if (source == AnswerSource::Timer) {
        ++Answers_.Timer;
        return;
    }
    if (answer == Answer::White)
        ++Answers_.White;
    else
        ++Answers_.Black;
    const double nullChance = NullChance(answer);
    TrainingEvidence_.AddGuess(nullChance, right);
    RunEvidence_.AddGuess(nullChance, right);
}

// The chance that a guess without intuition is right: one half where the
// colours are left to chance, else the share of the guessed colour among the
// peas still in the bucket, whatever the player has counted so far.
double TrainingRun::NullChance(Answer answer) const {
    if (Started_.Bucket.ByChance)
        return 0.5;
    const std::int32_t left = PeasCount() - DrawIndex_;
    const std::int32_t colourLeft = answer == Answer::Black ? BlackLeft_ : left - BlackLeft_;
    return static_cast<double>(colourLeft) / static_cast<double>(left);
}

void TrainingRun::DrawPea(bool black) {
    ++DrawIndex_;
    if (black)
        --BlackLeft_;
}

TrainingRecord TrainingRun::Record(double percentage, bool abandoned) const {
    TrainingRecord record = Started_;
    record.Finished = std::chrono::system_clock::now();
    record.Answers = Answers_;
    record.RightCount = RightCount_;
    record.Percentage = percentage;
    record.Abandoned = abandoned;
    record.Evidence = TrainingEvidence_;
    return record;
}

void TrainingRun::SoundWrongAnswer() {
    if (Options->BeepWrong) {
        view_.SetAnswerButtonsEnabled(false);
        view_.Beep(Options->BeepFrequency, Options->BeepDuration);
        view_.SetAnswerButtonsEnabled(true);
    }
    if (Options->WaveWrong) {
        view_.SetAnswerButtonsEnabled(false);
        view_.PlayWave(Options->WaveFilename);
        view_.SetAnswerButtonsEnabled(true);
    }
}

void TrainingRun::EndTraining() {
    // A close while the result message is up must not abandon the finished training.
    UnderWay_ = false;
    view_.ClearAnswerBold();
    ++TrainingCount_;
    const double p = ExactPercentage(RightCount_, PeasCount());
    view_.ShowResultMessage(ResultMessage(WholePercentage(p)));
    view_.AddResult(p, TrainingCount_);
    view_.RecordTraining(Record(p, false));
    view_.HideAnswerControls();
}

} // namespace kvarzel
