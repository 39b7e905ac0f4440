// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/training_view.h"

#include <functional>
#include <string>
#include <vector>

namespace kvarzel::testing {

// Records every call of the training as one readable line, in call order.
class RecordingTrainingView : public TrainingView {
public:
    std::vector<std::string> Calls;
    std::vector<double> Results;
    // Runs inside ProcessPendingEvents, to play events that arrive there.
    std::function<void()> OnPendingEvents;

    void ShowAnswerButtons() override { Calls.push_back("show buttons"); }
    void ArmAnswerTimer(int interval, bool enabled) override {
        Calls.push_back("arm timer " + std::to_string(interval) + (enabled ? " on" : " off"));
    }
    void SetAnswerTimerEnabled(bool enabled) override {
        Calls.push_back(enabled ? "timer on" : "timer off");
    }
    void ShowSignal(bool right, int drawNumber) override {
        Calls.push_back(std::string(right ? "green " : "red ") + std::to_string(drawNumber));
    }
    void ProcessPendingEvents() override {
        Calls.push_back("process events");
        if (OnPendingEvents) {
            auto handler = std::move(OnPendingEvents);
            OnPendingEvents = nullptr;
            handler();
        }
    }
    void SetAnswerButtonsEnabled(bool enabled) override {
        Calls.push_back(enabled ? "enable buttons" : "disable buttons");
    }
    void Beep(int frequency, int duration) override {
        Calls.push_back("beep " + std::to_string(frequency) + " " + std::to_string(duration));
    }
    void PlayWave(const std::string& fileName) override { Calls.push_back("wave " + fileName); }
    void ClearAnswerBold() override { Calls.push_back("clear bold"); }
    void ShowResultMessage(const std::string& message) override {
        Calls.push_back("message " + message);
    }
    void AddResult(double percentage, int trainingCount) override {
        Results.push_back(percentage);
        Calls.push_back("result #" + std::to_string(trainingCount));
    }
    void HideAnswerControls() override { Calls.push_back("hide controls"); }
};

} // namespace kvarzel::testing
