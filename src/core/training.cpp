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
    SeedFromClock();
    // The count is fixed here: a count changed in the options during the
    // training must neither judge peas that do not exist nor push the
    // percentage past 100.
    FillPeas(Peas_, std::clamp(Options->PeasCount, 1, MaxPeas), Options->PeasRatio);
    Started_ = StartedRecord(PeasCount());
    Answers_ = {};
    DrawIndex_ = 0;
    view_.ShowAnswerButtons();
    RightCount_ = 0;
    view_.ArmAnswerTimer(Options->TimeInterval, Options->TimerEnabled);
}

void TrainingRun::ProcessAnswer(Answer answer) {
    AnswerStep(answer, AnswerSource::User);
}

void TrainingRun::AnswerStep(Answer answer, AnswerSource source) {
    if (Answering_ || !HasPeaToDraw())
        return;
    Answering_ = true;
    CountAnswer(answer, source);
    const bool peaIsBlack = Peas_[static_cast<std::size_t>(DrawIndex_)];
    ++DrawIndex_;
    const bool right = (answer == Answer::Black) == peaIsBlack;
    if (right)
        ++RightCount_;
    view_.ShowSignal(right, DrawIndex_);
    if (!right) {
        view_.ProcessPendingEvents();
        SoundWrongAnswer();
    }
    // A start that ran during the pending events has reset DrawIndex, so
    // this test sees the new training.
    if (HasPeaToDraw())
        view_.SetAnswerTimerEnabled(Options->TimerEnabled);
    else
        EndTraining();
    Answering_ = false;
}

void TrainingRun::TimerAnswer() {
    view_.SetAnswerTimerEnabled(false);
    if (!HasPeaToDraw())
        return;
    const bool peaIsBlack = Peas_[static_cast<std::size_t>(DrawIndex_)];
    AnswerStep(peaIsBlack ? Answer::White : Answer::Black, AnswerSource::Timer);
}

void TrainingRun::CountAnswer(Answer answer, AnswerSource source) {
    if (source == AnswerSource::Timer)
        ++Answers_.Timer;
    else if (answer == Answer::White)
        ++Answers_.White;
    else
        ++Answers_.Black;
}

TrainingRecord TrainingRun::FinishedRecord(double percentage) const {
    TrainingRecord record = Started_;
    record.Finished = std::chrono::system_clock::now();
    record.Answers = Answers_;
    record.RightCount = RightCount_;
    record.Percentage = percentage;
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
    view_.ClearAnswerBold();
    ++TrainingCount_;
    const double p = ExactPercentage(RightCount_, PeasCount());
    view_.ShowResultMessage(ResultMessage(WholePercentage(p)));
    view_.AddResult(p, TrainingCount_);
    view_.RecordTraining(FinishedRecord(p));
    view_.HideAnswerControls();
}

} // namespace kvarzel
