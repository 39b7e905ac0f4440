// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/screen_centre.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace kvarzel::testing {
namespace {

// How far the frame is from the middle of the screen, in pixels.
QPoint OffCentre(const QWidget& window) {
    const QRect screen = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    return {(frame.left() - screen.left()) - (screen.right() - frame.right()),
            (frame.top() - screen.top()) - (screen.bottom() - frame.bottom())};
}

class ScreenCentreTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(331, 320);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        CentreOnScreen(window);
    }
    QWidget window;
};

TEST_F(ScreenCentreTest, TheWholeFrameIsCentredNotTheClientArea) {
    ASSERT_NE(window.frameGeometry(), window.geometry()) << "the platform draws no frame";
    EXPECT_LE(OffCentre(window).manhattanLength(), 2)
        << OffCentre(window).x() << ", " << OffCentre(window).y();
}

// A window manager that adds its frame after the window is mapped changes
// the frame's size once; a title bar is what the window grows by here.
TEST_F(ScreenCentreTest, ALaterFrameIsCentredAgainOnce) {
    window.resize(331, 340);
    // The move, then the look at the window after it.
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_LE(OffCentre(window).manhattanLength(), 2);
    const QPoint place = window.pos();
    window.resize(331, 360);
    QApplication::processEvents();
    EXPECT_EQ(window.pos(), place) << "centred once only";
}

// The window manager's own placement is no reason to leave the middle.
TEST_F(ScreenCentreTest, AMoveWithoutTheUsersHandIsUndoneUntilTheFrameIsThere) {
    window.move(10, 20);
    window.resize(331, 340);
    QApplication::processEvents();
    EXPECT_LE(OffCentre(window).manhattanLength(), 2)
        << OffCentre(window).x() << ", " << OffCentre(window).y();
}

// A move while a mouse button is held down is the user dragging the title bar.
TEST_F(ScreenCentreTest, AWindowDraggedBeforeItsFrameCameStaysWhereTheUserPutIt) {
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(5, 5));
    window.move(10, 20);
    window.resize(331, 340);
    QApplication::processEvents();
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_EQ(window.pos(), QPoint(10, 20));
}

} // namespace
} // namespace kvarzel::testing
