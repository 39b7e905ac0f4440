// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/application_hint.h"
#include "test_support/test_application.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

// A window with a hinted panel holding a hinted button and one without a
// hint, and a control without a hint directly on the window.
class HintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::TestApplication(); }

    void SetUp() override {
        hint = &ApplicationHint::Instance();
        window.setGeometry(100, 100, 300, 200);
        window.setCentralWidget(central);
        panel->setGeometry(0, 0, 200, 150);
        panel->setStatusTip("Панель");
        hinted->setGeometry(10, 10, 80, 25);
        hinted->setStatusTip("Я чувствую, что сейчас выпадет БЕЛАЯ горошина!");
        unhinted->setGeometry(10, 60, 80, 25);
        plain->setGeometry(210, 10, 80, 25);
        window.statusBar();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        MoveTo(plain);
        hint->CancelHint();
    }

    static void MoveTo(QWidget* widget, QPoint at = {5, 5}) {
        QTest::mouseMove(widget, at);
        QApplication::processEvents();
    }

    ApplicationHint* hint = nullptr;
    QMainWindow window;
    QWidget* central = new QWidget;
    QWidget* panel = new QWidget(central);
    QPushButton* hinted = new QPushButton("&Белая", panel);
    QPushButton* unhinted = new QPushButton("Тест", panel);
    QPushButton* plain = new QPushButton("Без", central);
};

TEST_F(HintTest, ControlUnderTheMouseGivesItsHint) {
    QSignalSpy changes(hint, &ApplicationHint::HintChanged);
    MoveTo(hinted);
    EXPECT_EQ(hint->Hint(), "Я чувствую, что сейчас выпадет БЕЛАЯ горошина!");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toString(), hint->Hint());
}

TEST_F(HintTest, ControlWithoutHintShowsItsParentsHint) {
    MoveTo(unhinted);
    EXPECT_EQ(hint->Hint(), "Панель");
    MoveTo(plain);
    EXPECT_EQ(hint->Hint(), "");
}

TEST_F(HintTest, DisabledControlGivesItsHintToo) {
    hinted->setEnabled(false);
    MoveTo(hinted);
    EXPECT_EQ(hint->Hint(), "Я чувствую, что сейчас выпадет БЕЛАЯ горошина!");
}

TEST_F(HintTest, LeavingAChildForItsParentShowsTheParentsHint) {
    MoveTo(hinted);
    MoveTo(panel, {150, 120});
    EXPECT_EQ(hint->Hint(), "Панель");
}

TEST_F(HintTest, MovingWithinOneControlChangesNothing) {
    MoveTo(hinted);
    QSignalSpy changes(hint, &ApplicationHint::HintChanged);
    MoveTo(hinted, {20, 10});
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(HintTest, CancelledHintStaysEmptyUntilTheMouseReachesAnotherControl) {
    MoveTo(hinted);
    QSignalSpy changes(hint, &ApplicationHint::HintChanged);
    hint->CancelHint();
    EXPECT_EQ(hint->Hint(), "");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toString(), "");
    MoveTo(hinted, {30, 12});
    EXPECT_EQ(hint->Hint(), "");
    MoveTo(unhinted);
    EXPECT_EQ(hint->Hint(), "Панель");
}

TEST_F(HintTest, StatusTipsDoNotReachQtsOwnStatusBar) {
    MoveTo(hinted);
    EXPECT_EQ(window.statusBar()->currentMessage(), "");
}

TEST_F(HintTest, HighlightedMenuItemGivesItsHint) {
    QMenu* menu = window.menuBar()->addMenu("&Тренировка");
    menu->menuAction()->setStatusTip("Тренировка интуиции");
    QAction* train = menu->addAction("&Начать");
    train->setStatusTip("Начать тренировку");
    QAction* options = menu->addAction("&Параметры...");
    options->setStatusTip("Параметры тренировок");

    menu->popup(window.mapToGlobal(QPoint(20, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    MoveTo(menu, menu->actionGeometry(train).center());
    EXPECT_EQ(hint->Hint(), "Начать тренировку");
    MoveTo(menu, menu->actionGeometry(options).center());
    EXPECT_EQ(hint->Hint(), "Параметры тренировок");

    // Closed, the menu's hint goes; what is under the mouse then may have
    // its own.
    menu->hide();
    QApplication::processEvents();
    EXPECT_NE(hint->Hint(), "Параметры тренировок");
}

TEST_F(HintTest, OpenedMenuBarItemGivesItsHint) {
    QMenu* menu = window.menuBar()->addMenu("&Помощь");
    menu->menuAction()->setStatusTip("Помощь к программе");
    menu->addAction("&Содержание")->setStatusTip("Вызов файла справки");
    QApplication::processEvents();
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {},
                      window.menuBar()->actionGeometry(menu->menuAction()).center());
    EXPECT_EQ(hint->Hint(), "Помощь к программе");
    menu->hide();
}

} // namespace
} // namespace kvarzel
