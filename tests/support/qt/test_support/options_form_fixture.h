// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options.h"
#include "core/settings_store.h"
#include "platform/settings/registry_file_store.h"
#include "ui/common/sound_output.h"
#include "ui/options/options_form.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QFileDialog;

namespace kvarzel::testing {

// Remembers every test sound and whether the wave test button was enabled
// while it played.
class RecordingTestSound : public SoundOutput {
public:
    explicit RecordingTestSound(const QPushButton* const& waveButton) : waveButton_(waveButton) {}
    std::vector<std::string> Played;
    void Beep(int frequency, int duration) override {
        Played.push_back("beep " + std::to_string(frequency) + " " + std::to_string(duration));
    }
    void PlayWave(const std::string& fileName) override {
        Played.push_back("wave " + fileName + (waveButton_->isEnabled() ? " (enabled)" : ""));
    }

private:
    const QPushButton* const& waveButton_;
};

// The options dialog on a settings file of its own, in an empty current
// folder, its test sounds recorded.
class OptionsFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new dialog: creation loads the settings file, destruction saves it.
    void CreateForm();
    void DestroyForm();
    // Shows the dialog as the menu does (without waiting in a modal loop)
    // and makes it the active window.
    void Show();
    // Keys go where the platform sends them: to the focused control.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Type(const QString& text);
    void Focus(QWidget* control);
    void ShowPage(QWidget* page);
    // Whether the dialog closed, and with which result.
    bool Closed() const { return form->isHidden(); }
    int Result() const { return form->result(); }
    // Runs an action that may open the file chooser; the chooser is handed
    // to `answer` (which must close it) and the call says whether it opened.
    bool RunChooser(const std::function<void()>& action,
                    const std::function<void(QFileDialog&)>& answer);

    QTemporaryDir folder;
    QString previousDirectory;
    std::unique_ptr<RegistryFileStore> store;
    const QPushButton* waveButton = nullptr;
    RecordingTestSound sound{waveButton};
    std::unique_ptr<TOptionsForm> form;
};

} // namespace kvarzel::testing
