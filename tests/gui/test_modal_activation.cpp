// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/wait_for.h"
#include "ui/window_manager/modal_activation.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace kvarzel::testing {
namespace {

// A main window with a window-modal dialog open over it, and a window of
// its own beside them, as the help viewer is.
class ModalActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeepActivationWithModalDialogs();
        main.setWindowTitle("main");
        main.resize(200, 150);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        beside.setWindowTitle("beside");
        beside.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&beside));
        dialog.setWindowModality(Qt::WindowModal);
        dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        ASSERT_TRUE(
            WaitFor([&] { return QGuiApplication::focusWindow() == dialog.windowHandle(); }));
    }

    QWidget main;
    QWidget beside;
    QDialog dialog{&main};
};

TEST_F(ModalActivationTest, TheBlockedMainWindowPassesItsActivationToTheDialog) {
    for (int click = 0; click < 3; ++click) {
        main.windowHandle()->requestActivate();
        ASSERT_TRUE(WaitFor([&] {
            return QGuiApplication::focusWindow() == dialog.windowHandle();
        })) << "activation "
            << click << " stays with "
            << (QGuiApplication::focusWindow()
                    ? QGuiApplication::focusWindow()->title().toStdString()
                    : "nothing");
    }
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog,
                    Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return !dialog.isVisible(); })) << "Esc reaches the dialog";
}

TEST_F(ModalActivationTest, AWindowTheDialogDoesNotBlockKeepsItsActivation) {
    beside.windowHandle()->requestActivate();
    ASSERT_TRUE(WaitFor([&] { return QGuiApplication::focusWindow() == beside.windowHandle(); }));
    QApplication::processEvents();
    EXPECT_EQ(QGuiApplication::focusWindow(), beside.windowHandle());
}

TEST_F(ModalActivationTest, OnceTheDialogIsClosedTheMainWindowKeepsItsActivation) {
    dialog.reject();
    main.windowHandle()->requestActivate();
    ASSERT_TRUE(WaitFor([&] { return QGuiApplication::focusWindow() == main.windowHandle(); }));
    QApplication::processEvents();
    EXPECT_EQ(QGuiApplication::focusWindow(), main.windowHandle());
}

} // namespace
} // namespace kvarzel::testing
