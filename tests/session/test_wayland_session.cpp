// SPDX-License-Identifier: GPL-3.0-or-later
// The program's windows on a Wayland compositor: with_weston.sh runs this
// program on a headless weston of its own with QT_QPA_PLATFORM=wayland.
#include "core/settings_store.h"
#include "platform/settings/registry_file_store.h"
#include "test_support/wait_for.h"
#include "ui/main/main_form.h"
#include "ui/main/program.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kvarzel::testing {
namespace {

// XKB keycode of the X key (evdev 45 + 8), which carries χ on a Greek layout:
// only its place on the keyboard says that it is X.
constexpr quint32 kXKeyXkbKeycode = 53;

class WaylandSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            << "running on " << QGuiApplication::platformName().toStdString();
        ASSERT_TRUE(folder.isValid());
        std::ofstream(settingsFile)
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel]\n"
               "\"PeasCount\"=dword:00000003\n";
    }
    void TearDown() override { SetSettingsStore(nullptr); }

    QTemporaryDir folder;
    std::filesystem::path settingsFile =
        std::filesystem::path(folder.path().toStdString()) / "Kvarzel.reg";
};

// A key as the Wayland platform delivers it to the focused control on a
// non-Latin layout: the character of the layout (Qt's key code of a letter is
// its upper-case code point), and the physical key as its XKB keycode.
void PressLayoutKey(QWidget* window, char16_t letter, quint32 xkbKeycode) {
    QWidget* receiver = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    const int key = QChar(letter).toUpper().unicode();
    const QString text(QChar{letter});
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, xkbKeycode, 0, 0, text);
    QApplication::sendEvent(receiver, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, xkbKeycode, 0, 0, text);
    QApplication::sendEvent(receiver, &release);
}

TEST_F(WaylandSessionTest, ShowsTheMainWindowTrainsByKeysAndSavesTheSettingsAtTheEnd) {
    RegistryFileStore store(settingsFile);
    SetSettingsStore(&store);
    {
        ProgramWindows windows;
        TMainForm* form = windows.MainForm;
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        QApplication::setActiveWindow(form);

        QTest::keyClick(form, Qt::Key_N, Qt::ControlModifier);
        ASSERT_FALSE(form->WhiteButton->isHidden()) << "Ctrl+N started no training";

        PressLayoutKey(form, u'χ', kXKeyXkbKeycode);
        EXPECT_FALSE(form->CounterLabel->isHidden()) << "χ on the X key gave no answer";
        EXPECT_EQ(form->CounterLabel->text(), QStringLiteral("1"));
        EXPECT_TRUE(form->BlackButton->font().bold()) << "χ on the X key did not answer black";

        form->close();
        EXPECT_TRUE(WaitFor([&] { return !form->isVisible(); }));
    }
    std::ifstream saved(settingsFile);
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("\"PeasCount\"=dword:00000003"), std::string::npos) << text;
    EXPECT_NE(text.find("\"BeepFrequency\"="), std::string::npos) << "not saved at the end";
}

} // namespace
} // namespace kvarzel::testing
