// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options.h"
#include "core/settings_store.h"
#include "platform/desktop/termination_signals.h"
#include "platform/settings/registry_file_store.h"
#include "test_support/message_box_closer.h"
#include "ui/about/about_form.h"
#include "ui/main/main_form.h"
#include "ui/main/program.h"
#include "ui/options/options_form.h"
#include "ui/options/spin_edit.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kvarzel::testing {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        file = std::filesystem::path(folder.path().toStdString()) / "Kvarzel.reg";
    }
    void TearDown() override { SetSettingsStore(nullptr); }
    void StorePeasCount25() const {
        std::ofstream(file) << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel]\n"
                               "\"PeasCount\"=dword:00000019\n";
    }

    QTemporaryDir folder;
    std::filesystem::path file;
};

TEST_F(ProgramStartTest, WindowsComeInOrderAndTheSettingsAreSavedFirstAtTheEnd) {
    StorePeasCount25();
    RegistryFileStore store(file);
    SetSettingsStore(&store);
    ASSERT_EQ(Options, nullptr);
    std::string savedWhenMainWindowWent;
    {
        ProgramWindows windows;
        // The dialogs and the icon follow the main window's first paint.
        windows.MainForm->show();
        ASSERT_TRUE(QTest::qWaitFor([] { return Options != nullptr; }));
        EXPECT_FALSE(QApplication::windowIcon().isNull());
        EXPECT_EQ(Options->PeasCount, 25);
        EXPECT_EQ(windows.AboutForm->parentWidget(), windows.MainForm);
        Options->PeasRatio = 7;
        QObject::connect(windows.MainForm, &QObject::destroyed,
                         [&] { savedWhenMainWindowWent = ReadFile(file); });
    }
    EXPECT_EQ(Options, nullptr);
    EXPECT_NE(savedWhenMainWindowWent.find("\"PeasRatio\"=dword:00000007"), std::string::npos)
        << savedWhenMainWindowWent;
}

TEST_F(ProgramStartTest, ATrainingStartedBeforeTheFirstPaintUsesTheStoredSettings) {
    StorePeasCount25();
    RegistryFileStore store(file);
    SetSettingsStore(&store);
    ProgramWindows windows;
    windows.MainForm->TrainMenuItem->trigger();
    ASSERT_NE(Options, nullptr);
    EXPECT_EQ(windows.MainForm->Training().Peas().size(), 25u);
}

TEST_F(ProgramStartTest, AFailedSaveReachesTheErrorDisplay) {
    // The store's folder is a file, so the store can never be written.
    std::ofstream(file) << "not a folder";
    RegistryFileStore store(file / "Kvarzel.reg");
    SetSettingsStore(&store);
    MessageBoxCloser closer;
    { ProgramWindows windows; }
    ASSERT_EQ(closer.Texts.size(), 1);
    EXPECT_TRUE(closer.Texts[0].startsWith("Failed to set data for '"))
        << closer.Texts[0].toStdString();
    EXPECT_TRUE(closer.Texts[0].endsWith(".")) << closer.Texts[0].toStdString();
    EXPECT_EQ(closer.Captions[0], "Кварзель");
    EXPECT_EQ(Options, nullptr);
}

// A start that cannot make sure it is the only copy says why in a box over
// its main window, once that is painted, and runs on: the box waits for no
// answer before the window works.
TEST_F(ProgramStartTest, AnUnguardedStartSaysWhyOverItsRunningWindow) {
    RegistryFileStore store(file);
    SetSettingsStore(&store);
    ProgramWindows windows;
    windows.WarnOfUnguardedStart("Не удаётся проверить: причина");
    windows.MainForm->show();
    QMessageBox* box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        box = windows.MainForm->findChild<QMessageBox*>();
        return box != nullptr && box->isVisible();
    }));
    EXPECT_EQ(box->text(), "Не удаётся проверить: причина.");
    EXPECT_EQ(box->windowTitle(), "Кварзель");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_NE(box->windowModality(), Qt::ApplicationModal);
    EXPECT_NE(Options, nullptr) << "the start goes on while the box is up";
    box->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return windows.MainForm->findChild<QMessageBox*>() == nullptr; }));
}

TEST_F(ProgramStartTest, DialogsOpenModallyFromTheMenu) {
    RegistryFileStore store(file);
    SetSettingsStore(&store);
    ProgramWindows windows;
    windows.MainForm->show();
    bool optionsShown = false, aboutShown = false;
    QTimer::singleShot(50, [&] {
        optionsShown = windows.OptionsForm->isVisible();
        windows.OptionsForm->reject();
    });
    windows.MainForm->OptionsMenuItems->trigger();
    QTimer::singleShot(50, [&] {
        aboutShown = windows.AboutForm->isVisible();
        windows.AboutForm->reject();
    });
    windows.MainForm->AboutMenuItem->trigger();
    EXPECT_TRUE(optionsShown);
    EXPECT_TRUE(aboutShown);
}

// Each termination signal, raised in this process while the options dialog
// is open with a change not confirmed, ends the program as closing its
// windows does: the dialog is cancelled, the event loops end, and the end
// saves the settings.
TEST_F(ProgramStartTest, ATerminationSignalEndsTheProgramAsClosingItsWindows) {
    for (const int number : TerminationSignalNumbers()) {
        StorePeasCount25();
        RegistryFileStore store(file);
        SetSettingsStore(&store);
        {
            ProgramWindows windows;
            QTimer::singleShot(0, windows.MainForm,
                               [&] { windows.MainForm->OptionsMenuItems->trigger(); });
            bool raised = false;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (raised || !windows.OptionsForm || !windows.OptionsForm->isVisible())
                    return;
                windows.OptionsForm->CountSpinEdit->SetValue(99);
                raised = true;
                raise(number);
            });
            poll.start(5);
            // Should the signal go unheeded, the test fails instead of hanging.
            QTimer guard;
            guard.setSingleShot(true);
            QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(3); });
            guard.start(20000);
            EXPECT_EQ(windows.Run(), 0) << number;
            EXPECT_TRUE(raised);
            EXPECT_TRUE(windows.OptionsForm->isHidden());
            EXPECT_EQ(windows.OptionsForm->result(), mrCancel);
            EXPECT_TRUE(windows.MainForm->isHidden());
            EXPECT_EQ(Options->PeasCount, 25);
        }
        const std::string saved = ReadFile(file);
        EXPECT_NE(saved.find("\"PeasCount\"=dword:00000019"), std::string::npos) << saved;
        EXPECT_NE(saved.find("\"BeepFrequency\"="), std::string::npos) << "not saved at the end";
        SetSettingsStore(nullptr);
    }
}

} // namespace
} // namespace kvarzel::testing
