// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/training.h"

#include "core/bucket.h"
#include "core/extended_math.h"
#include "core/options.h"
#include "core/random_source.h"
#include "core/ratio_scale.h"
#include "core/utc_clock.h"

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

// Records keep their moments to the millisecond.
std::chrono::system_clock::time_point RecordedMoment() {
    return std::chrono::floor<std::chrono::milliseconds>(CurrentMoment());
}

// The settings a training starts with, read as the bucket filling reads them,
// its start and its id.
TrainingRecord StartedRecord(std::int32_t peasCount) {
    TrainingRecord record;
    record.Start = TrainingStart{RecordedMoment(), NewTrainingId()};
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
    FillPeas(peas_, std::clamp(Options->PeasCount, 1, MaxPeas), Options->PeasRatio);
    started_ = StartedRecord(PeasCount());
    answers_ = {};
    blackLeft_ = static_cast<std::int32_t>(std::count(peas_.begin(), peas_.end(), true));
    trainingEvidence_ = {};
    underWay_ = true;
    view_.TrainingStarted(started_);
    drawIndex_ = 0;
    view_.ShowAnswerButtons();
    rightCount_ = 0;
    view_.ArmAnswerTimer(Options->TimeInterval, Options->TimerEnabled);
}

// An abandoned training is no result of the run, but its guesses were made
// and stay in the evidence: leaving them out would let a player keep only
// the trainings that began well. One whose last answer was given but whose
// end a start or a close cut off counts as abandoned too.
void TrainingRun::Abandon() {
    if (!underWay_)
        return;
    underWay_ = false;
    if (answers_.Total() == 0)
        return;
    ReadFigures();
    view_.RecordTraining(Record(ExactPercentage(rightCount_, answers_.Total()), true));
}

void TrainingRun::ProcessAnswer(Answer answer) {
    AnswerStep(answer, AnswerSource::User);
}

void TrainingRun::AnswerStep(Answer answer, AnswerSource source) {
    if (answering_ || !underWay_ || !HasPeaToDraw())
        return;
    answering_ = true;
    const bool peaIsBlack = peas_[static_cast<std::size_t>(drawIndex_)];
    const bool right = (answer == Answer::Black) == peaIsBlack;
    CountAnswer(answer, source, right);
    DrawPea(peaIsBlack);
    if (right)
        ++rightCount_;
    view_.ShowSignal(right, drawIndex_);
    view_.TrainingAnswered(Record(ExactPercentage(rightCount_, answers_.Total()), true));
    if (!right) {
        view_.ProcessPendingEvents();
        SoundWrongAnswer();
    }
    // A start that ran during the pending events has reset DrawIndex, so
    // this test sees the new training; a close has abandoned the training,
    // which then neither goes on nor ends.
    if (underWay_)
        NextPeaOrEnd();
    answering_ = false;
}

void TrainingRun::NextPeaOrEnd() {
    if (HasPeaToDraw())
        view_.SetAnswerTimerEnabled(Options->TimerEnabled);
    else
        EndTraining();
}

void TrainingRun::TimerAnswer() {
    view_.SetAnswerTimerEnabled(false);
    if (!underWay_ || !HasPeaToDraw())
        return;
    const bool peaIsBlack = peas_[static_cast<std::size_t>(drawIndex_)];
    AnswerStep(peaIsBlack ? Answer::White : Answer::Black, AnswerSource::Timer);
}

// A timer answer is no guess: it carries no evidence, though its pea leaves
// the bucket.
void TrainingRun::CountAnswer(Answer answer, AnswerSource source, bool right) {
    if (source == AnswerSource::Timer) {
        ++answers_.Timer;
        return;
    }
    if (answer == Answer::White)
        ++answers_.White;
    else
        ++answers_.Black;
    const double nullChance = NullChance(answer);
    trainingEvidence_.AddGuess(nullChance, right);
    runEvidence_.AddGuess(nullChance, right);
}

// The chance that a guess without intuition is right: one half where the
// colours are left to chance, else the share of the guessed colour among the
// peas still in the bucket, whatever the player has counted so far.
double TrainingRun::NullChance(Answer answer) const {
    if (started_.Bucket.ByChance)
        return 0.5;
    const std::int32_t left = PeasCount() - drawIndex_;
    const std::int32_t colourLeft = answer == Answer::Black ? blackLeft_ : left - blackLeft_;
    return static_cast<double>(colourLeft) / static_cast<double>(left);
}

void TrainingRun::DrawPea(bool black) {
    ++drawIndex_;
    if (black)
        --blackLeft_;
}

TrainingRecord TrainingRun::Record(double percentage, bool abandoned) const {
    TrainingRecord record = started_;
    // A clock set back during the training must not end it before its start.
    record.Finished = std::max(RecordedMoment(), started_.Start->Moment);
    record.Answers = answers_;
    record.RightCount = rightCount_;
    record.Percentage = percentage;
    record.Abandoned = abandoned;
    record.Evidence = trainingEvidence_;
    // A training still under way is recorded as its figure would read if it
    // ended now.
    if (record.Evidence->Readings == 0)
        record.Evidence->Read();
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

// The training's and the run's figures are read where every figure is: at
// the end of a training.
void TrainingRun::ReadFigures() {
    trainingEvidence_.Read();
    runEvidence_.EndTraining();
}

void TrainingRun::EndTraining() {
    // A close while the result message is up must not abandon the finished training.
    underWay_ = false;
    ReadFigures();
    view_.ClearAnswerBold();
    ++trainingCount_;
    const double p = ExactPercentage(rightCount_, PeasCount());
    view_.RecordTraining(Record(p, false));
    view_.ShowResultMessage(ResultMessage(WholePercentage(p)));
    view_.AddResult(p, trainingCount_);
    view_.HideAnswerControls();
}

} // namespace kvarzel
