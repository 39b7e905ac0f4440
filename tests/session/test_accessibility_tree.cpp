// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program as a screen reader finds it: with_accessibility_bus.sh
// runs this program on an X server with an accessibility bus of its own, and
// accessibility_walk.py reads the windows over AT-SPI while they are open.
#include "core/settings_store.h"
#include "help/help.h"
#include "help/help_viewer.h"
#include "test_support/memory_registry_store.h"
#include "test_support/wait_for.h"
#include "ui/main/main_form.h"
#include "ui/main/program.h"
#include "ui/main/signal_circle.h"
#include "ui/about/about_form.h"
#include "ui/options/options_form.h"
#include "ui/statistics/statistics_form.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kvarzel::testing {
namespace {

constexpr int WalkMilliseconds = 120'000;

class AccessibilityTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        store.Put("Software\\Tellumor\\Kvarzel", "PeasCount", RegistryValue::Integer(3));
        store.Put("Software\\Tellumor\\Kvarzel\\Timer", "TimerEnabled", RegistryValue::Integer(0));
        SetSettingsStore(&store);
        InitHelp(KVARZEL_BINARY_DIR "/kvarzel");
    }
    void TearDown() override { SetSettingsStore(nullptr); }

    // The walker's verdict on the windows, read while this program answers its questions.
    QString Walk(const QList<QWidget*>& windows) {
        QStringList arguments = {QStringLiteral(KVARZEL_WALKER),
                                 QString::number(QCoreApplication::applicationPid())};
        for (const QWidget* window : windows)
            arguments << window->windowTitle();
        QProcess walker;
        walker.setProcessChannelMode(QProcess::MergedChannels);
        walker.start(QStringLiteral("/usr/bin/python3"), arguments);
        EXPECT_TRUE(WaitFor([&] { return walker.state() == QProcess::NotRunning; },
                            WalkMilliseconds));
        walker.waitForFinished(0);
        const QString report = QString::fromUtf8(walker.readAll());
        EXPECT_EQ(walker.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(walker.exitCode(), 0) << report.toStdString();
        return report;
    }

    MemoryRegistryStore store;
};

TEST_F(AccessibilityTreeTest, EveryNodeThatTakesTheFocusAndEveryPictureOfEveryWindowHasAName) {
    ProgramWindows windows;
    TMainForm& main = *windows.MainForm;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    ASSERT_TRUE(WaitFor([&] { return windows.OptionsForm != nullptr; }));
    // A training under way, with the answer buttons and the signal shown.
    QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
    main.WhiteButton->click();
    ASSERT_TRUE(main.SignalShape->isVisible());

    QMessageBox box(QMessageBox::Information, "Результат", "Верных ответов: 50%",
                    QMessageBox::Ok, &main);
    ShowHelpContents();
    ASSERT_NE(HelpViewerWindow(), nullptr);
    const QList<QWidget*> opened = {&main, windows.OptionsForm, windows.AboutForm,
                                    &main.StatisticsDialog(), HelpViewerWindow(), &box};
    for (QWidget* window : opened) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << window->windowTitle().toStdString();
    }
    const QString report = Walk(opened);
    // The walk reached every window and more than a handful of nodes in each.
    EXPECT_TRUE(report.contains(QStringLiteral("nodes in"))) << report.toStdString();
}

} // namespace
} // namespace kvarzel::testing
