// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help.h"
#include "help/help_page_browser.h"
#include "help/help_viewer.h"
#include "test_support/built_help_file.h"
#include "test_support/test_application.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

// The help unit as the program starts it: the executable is "kvarzel" in the
// build folder, so its help file is the one the build compiled.
class ShowHelpTest : public ::testing::Test {
protected:
    ShowHelpTest() {
        testing::TestApplication();
        InitHelp(QFileInfo(testing::BuiltHelpFile()).absolutePath() + "/kvarzel");
    }
    ~ShowHelpTest() override { DoneHelp(); }

    QString ShownPage() const {
        return HelpViewerWindow() ? HelpViewerWindow()->CurrentPage() : QString();
    }
};

TEST_F(ShowHelpTest, FindsTheBuiltHelpFileBesideTheExecutable) {
    EXPECT_EQ(HelpFilePath(), testing::BuiltHelpFile());
    EXPECT_EQ(HelpViewerWindow(), nullptr);
}

TEST_F(ShowHelpTest, OpensTopicsInOneViewerBroughtToTheFront) {
    ShowHelpTopic(2);
    HelpViewer* viewer = HelpViewerWindow();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->parentWidget(), nullptr);
    EXPECT_EQ(ShownPage(), "Training.htm");

    ShowHelpTopic(4);
    EXPECT_EQ(HelpViewerWindow(), viewer);
    EXPECT_EQ(ShownPage(), "OptsForm.htm");
    ShowHelpTopic(5);
    EXPECT_EQ(ShownPage(), "AboutApp.htm");
}

TEST_F(ShowHelpTest, ContentsAndUnknownContextsOpenTheDefaultPage) {
    for (int context : {-1, 6, 112}) {
        ShowHelpTopic(3);
        ShowHelpTopic(context);
        EXPECT_EQ(ShownPage(), "UserIface.htm") << context;
    }
    ShowHelpTopic(3);
    ShowHelpContents();
    EXPECT_EQ(ShownPage(), "UserIface.htm");
    auto* tabs = HelpViewerWindow()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentWidget(), &HelpViewerWindow()->ContentsTree());
}

TEST_F(ShowHelpTest, AClosedViewerComesBackAsTheUserLeftIt) {
    ShowHelpTopic(2);
    HelpViewer* viewer = HelpViewerWindow();
    viewer->resize(900, 640);
    viewer->close();
    EXPECT_FALSE(viewer->isVisible());
    ShowHelpTopic(1);
    EXPECT_EQ(HelpViewerWindow(), viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->size(), QSize(900, 640));
    EXPECT_EQ(ShownPage(), "MainMenu.htm");
}

TEST_F(ShowHelpTest, AnOpenViewerDoesNotKeepTheProgramRunning) {
    QWidget mainWindow;
    mainWindow.show();
    QTimer::singleShot(0, [&] {
        ShowHelpTopic(0);
        mainWindow.close();
    });
    constexpr int stillRunning = 7;
    QTimer::singleShot(5000, [] { QApplication::exit(stillRunning); });
    EXPECT_EQ(QApplication::exec(), 0);
    // Quitting runs the help unit's shut-down step.
    EXPECT_EQ(HelpViewerWindow(), nullptr);
}

TEST_F(ShowHelpTest, ShutDownClosesTheViewerAndForgetsTheFile) {
    ShowHelpTopic(2);
    QPointer<HelpViewer> viewer = HelpViewerWindow();
    DoneHelp();
    EXPECT_TRUE(viewer.isNull());
    EXPECT_EQ(HelpViewerWindow(), nullptr);
    EXPECT_TRUE(HelpFilePath().isEmpty());
}

TEST_F(ShowHelpTest, AnotherExecutableNameLooksForItsOwnFile) {
    InitHelp(QFileInfo(testing::BuiltHelpFile()).absolutePath() + "/other.exe");
    ShowHelpTopic(2);
    ASSERT_NE(HelpViewerWindow(), nullptr);
    const QString text = HelpViewerWindow()->PageBrowser().toPlainText();
    EXPECT_TRUE(text.contains("Файл справки не найден"));
    EXPECT_TRUE(text.contains("other.chm"));
}

} // namespace
} // namespace kvarzel
