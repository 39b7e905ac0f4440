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
#include <QApplication>
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

    // Starts the walker on the windows of these titles; `Finished` tells when it is done.
    void StartWalk(const QStringList& titles) {
        QStringList arguments = {QStringLiteral(KVARZEL_WALKER),
                                 QString::number(QCoreApplication::applicationPid())};
        walker.setProcessChannelMode(QProcess::MergedChannels);
        walker.start(QStringLiteral("/usr/bin/python3"), arguments + titles);
    }
    bool Finished() const { return walker.state() == QProcess::NotRunning; }

    MemoryRegistryStore store;
    QProcess walker;
};

TEST_F(AccessibilityTreeTest, EveryNodeThatTakesTheFocusAndEveryPictureOfEveryWindowHasAName) {
    ProgramWindows windows;
    TMainForm& main = *windows.MainForm;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    ASSERT_TRUE(WaitFor([&] { return windows.OptionsForm != nullptr; }));
    // A training of three peas under way, with the answer buttons and the signal shown.
    QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
    main.WhiteButton->click();
    main.WhiteButton->click();
    ASSERT_TRUE(main.SignalShape->isVisible());

    ShowHelpContents();
    ASSERT_NE(HelpViewerWindow(), nullptr);
    const QList<QWidget*> opened = {&main, windows.OptionsForm, windows.AboutForm,
                                    &main.StatisticsDialog(), HelpViewerWindow()};
    QStringList titles = {QStringLiteral("Результат")};
    for (QWidget* window : opened) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << window->windowTitle().toStdString();
        // A screen reader knows a window by its accessible name, which may say more than
        // its title.
        titles << QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name);
    }
    StartWalk(titles);
    // The last answer opens the result message, which waits until the walk is over.
    QObject::connect(&walker, &QProcess::finished, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    main.WhiteButton->click();
    ASSERT_TRUE(WaitFor([this] { return Finished(); }, WalkMilliseconds));
    const QString report = QString::fromUtf8(walker.readAll());
    EXPECT_EQ(walker.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(walker.exitCode(), 0) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("nodes in 6 windows"))) << report.toStdString();
}

} // namespace
} // namespace kvarzel::testing
