// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options.h"
#include "core/utc_clock.h"
#include "ui/common/sound_output.h"
#include "ui/main/main_form.h"
#include "ui/main/training_results.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kvarzel::testing {

// Remembers every sound and whether the answer buttons were enabled meanwhile.
class RecordingSound : public SoundOutput {
public:
    explicit RecordingSound(const TMainForm*& form) : form_(form) {}
    std::vector<std::string> Played;
    void Beep(int frequency, int duration) override {
        Record("beep " + std::to_string(frequency) + " " + std::to_string(duration));
    }
    void PlayWave(const std::string& fileName) override { Record("wave " + fileName); }

private:
    void Record(const std::string& sound) {
        const bool enabled = form_->WhiteButton->isEnabled() || form_->BlackButton->isEnabled();
        Played.push_back(sound + (enabled ? " (buttons enabled)" : ""));
    }
    const TMainForm*& form_;
};

class RecordingResults : public TrainingResults {
public:
    std::vector<std::pair<double, int>> Added;
    void AddTrainingResult(double percentage, int trainingCount) override {
        Added.emplace_back(percentage, trainingCount);
    }
};

// A shown main window on fresh default settings and a fixed clock.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Options = &options;
        SetUtcTimeOfDaySource([] { return UtcTimeOfDay{12, 34, 56, 789}; });
        form = std::make_unique<TMainForm>();
        formView = form.get();
        form->SetSoundOutput(sound);
        form->SetTrainingResults(&results);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form.reset();
        Options = nullptr;
        SetUtcTimeOfDaySource({});
    }

    void Start() { form->TrainMenuItem->trigger(); }
    int Drawn() const { return form->Training().DrawIndex(); }
    bool NextPeaIsBlack() const {
        return form->Training().Peas().at(static_cast<std::size_t>(Drawn()));
    }
    QPushButton* RightButton() const {
        return NextPeaIsBlack() ? form->BlackButton : form->WhiteButton;
    }
    QPushButton* WrongButton() const {
        return NextPeaIsBlack() ? form->WhiteButton : form->BlackButton;
    }
    // Keys go where the platform sends them: to the focused control.
    QWidget* KeyTarget() const {
        QWidget* focused = QApplication::focusWidget();
        return focused && focused->window() == form.get() ? focused : form.get();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(KeyTarget(), key, modifiers);
    }

    TOptions options;
    const TMainForm* formView = nullptr;
    RecordingSound sound{formView};
    RecordingResults results;
    std::unique_ptr<TMainForm> form;
};

} // namespace kvarzel::testing
