// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvarzel {

struct TrainingRecord;

// An answer is the guess that the next pea is white or black.
enum class Answer { White, Black };

// What a training does to the window around it. The main window implements
// it; each call is one visible step, made in the order the training needs.
class TrainingView {
public:
    virtual ~TrainingView() = default;

    // Start: both answer buttons lose their bold face and are shown (white
    // first), which brings the training page to the front.
    virtual void ShowAnswerButtons() = 0;
    // Start: the timer takes the interval, then the enabled flag.
    virtual void ArmAnswerTimer(int interval, bool enabled) = 0;
    // After a non-final answer: a fresh countdown when enabled.
    virtual void SetAnswerTimerEnabled(bool enabled) = 0;

    // The circle turns green or red with the draw number on it; a hidden
    // circle is shown; the application hint is cleared.
    virtual void ShowSignal(bool right, int drawNumber) = 0;
    // Lets queued window events run, so the circle is on screen before any sound.
    virtual void ProcessPendingEvents() = 0;
    virtual void SetAnswerButtonsEnabled(bool enabled) = 0;
    virtual void Beep(int frequency, int duration) = 0;
    virtual void PlayWave(const std::string& fileName) = 0;

    // Start, once the previous training is abandoned: what the statistics
    // decide for the whole training (whether it goes to the history) is
    // decided here. `started` holds the settings, the start and the id.
    virtual void TrainingStarted(const TrainingRecord& /*started*/) {}
    // After each answer is judged: the training so far, as it would be
    // recorded if it were abandoned now.
    virtual void TrainingAnswered(const TrainingRecord& /*soFar*/) {}

    // End: bold removed, the record of the training for its statistics (so
    // that it is kept whatever happens while the box is up), the result
    // message box, the results page, and finally the answer controls hidden.
    // An abandoned training has only its record.
    virtual void ClearAnswerBold() = 0;
    virtual void RecordTraining(const TrainingRecord& /*record*/) {}
    virtual void ShowResultMessage(const std::string& message) = 0;
    virtual void AddResult(double percentage, int trainingCount) = 0;
    virtual void HideAnswerControls() = 0;
};

} // namespace kvarzel
