// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart.h"
#include "help/help.h"
#include "help/help_viewer.h"
#include "platform/desktop/application_hint.h"
#include "platform/desktop/interval_timer.h"
#include "test_support/main_form_fixture.h"
#include "test_support/wait_for.h"
#include "ui/common/help_context.h"
#include "ui/main/bucket_view.h"
#include "ui/main/signal_circle.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace kvarzel::testing {
namespace {

class MainWindowTest : public MainFormTest {};

TEST_F(MainWindowTest, LayoutAsDesigned) {
    EXPECT_EQ(form->windowTitle(), "Кварзель");
    EXPECT_EQ(form->centralWidget()->size(), QSize(331, 301));
    EXPECT_EQ(form->height(), 301 + form->menuBar()->height());
    EXPECT_EQ(form->PageControl->geometry(), QRect(0, 0, 331, 282));
    EXPECT_EQ(form->StatusBar->geometry(), QRect(0, 282, 331, 19));
    EXPECT_EQ(form->PageControl->tabPosition(), QTabWidget::South);
    EXPECT_EQ(form->BucketImage->geometry(), QRect(6, 6, 311, 238));
    EXPECT_EQ(form->WhiteButton->geometry(), QRect(18, 193, 75, 25));
    EXPECT_EQ(form->BlackButton->geometry(), QRect(232, 193, 75, 25));
    EXPECT_EQ(form->PageControl->tabText(0), "&Тренировка");
    EXPECT_EQ(form->PageControl->tabText(1), "&Результаты");
    // Without the customize hint the window manager is offered every button.
    EXPECT_TRUE(form->windowFlags().testFlags(
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "a fixed border";
}

TEST_F(MainWindowTest, BothPagesHaveTheirDesignedClientAreaInsideThePaneFrame) {
    for (QWidget* page : {form->TrainTabSheet, form->ResultsTabSheet}) {
        form->PageControl->setCurrentWidget(page);
        QApplication::processEvents();
        EXPECT_EQ(QRect(page->mapTo(form->PageControl, QPoint(0, 0)), page->size()),
                  QRect(4, 4, 323, 256))
            << page->objectName().toStdString();
    }
    // The bucket picture stands in the middle of its page.
    EXPECT_EQ(form->TrainTabSheet->width() - form->BucketImage->geometry().right() - 1,
              form->BucketImage->x());
    // The results page's anchored controls keep their designed places.
    EXPECT_EQ(form->IntuitionChart->geometry(), QRect(3, 6, 317, 207));
    EXPECT_EQ(form->BottomBevel->geometry(), QRect(2, 221, 319, 2));
    EXPECT_EQ(form->AverageLabel->geometry(), QRect(6, 231, 210, 13));
    EXPECT_EQ(form->AverageEdit->geometry(), QRect(224, 232, 93, 13));
    // So the chart maps its points as laid out for it: its rectangle ends at
    // 317 less the 1 % right margin, 4 below the top (2 % of 207).
    form->IntuitionChart->UpdateBitmap();
    EXPECT_EQ(form->IntuitionChart->ChartBounds(), (PixelRect{0, 0, 317, 207}));
    EXPECT_EQ(form->IntuitionChart->ChartRect().Right, 314);
    EXPECT_EQ(form->IntuitionChart->ChartRect().Top, 4);
}

TEST_F(MainWindowTest, TheSignalSitsOverTheBigBucket) {
    EXPECT_EQ(form->SignalShape->geometry(), QRect(146, 66, 40, 40));
    EXPECT_EQ(form->CounterLabel->geometry(), QRect(147, 79, 38, 13));
    EXPECT_TRUE(form->SignalShape->isHidden());
    EXPECT_TRUE(form->CounterLabel->isHidden());
    EXPECT_TRUE(form->CounterLabel->autoFillBackground()) << "opaque";
    EXPECT_TRUE(form->CounterLabel->font().bold());
    EXPECT_EQ(form->CounterLabel->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(form->CounterLabel->alignment(), Qt::AlignCenter);
}

// A screen reader reaches the average with Tab, after the chart.
TEST_F(MainWindowTest, TheAverageFieldIsReadOnlyAndReachedByTab) {
    EXPECT_TRUE(form->AverageEdit->isReadOnly());
    EXPECT_FALSE(form->AverageEdit->hasFrame());
    EXPECT_TRUE(form->AverageEdit->font().bold());
    EXPECT_TRUE(form->AverageEdit->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(form->AverageLabel->text(), "Среднее значение по всем тренировкам:");
}

TEST_F(MainWindowTest, HelpContextsOfTheControlsAndMenu) {
    EXPECT_EQ(HelpContext(form.get()), 0);
    EXPECT_EQ(HelpContext(form->PageControl), 0);
    EXPECT_EQ(HelpContext(form->StatusBar), 0);
    for (const QObject* training :
         {static_cast<QObject*>(form->TrainTabSheet), static_cast<QObject*>(form->WhiteButton),
          static_cast<QObject*>(form->BlackButton)})
        EXPECT_EQ(HelpContext(training), 2) << training->objectName().toStdString();
    for (const QObject* results :
         {static_cast<QObject*>(form->ResultsTabSheet), static_cast<QObject*>(form->IntuitionChart),
          static_cast<QObject*>(form->AverageEdit)})
        EXPECT_EQ(HelpContext(results), 3) << results->objectName().toStdString();
    for (QMenu* menu : {form->TrainingMenuItem, form->HelpMenuItem}) {
        EXPECT_EQ(HelpContext(menu->menuAction()), 1);
        for (const QAction* item : menu->actions())
            EXPECT_EQ(HelpContext(item), 1) << item->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, StartsIdleOnTheTrainingPage) {
    EXPECT_EQ(form->PageControl->currentWidget(), form->TrainTabSheet);
    EXPECT_TRUE(form->WhiteButton->isHidden());
    EXPECT_TRUE(form->BlackButton->isHidden());
    EXPECT_TRUE(form->StatusBar->currentMessage().isEmpty());
    EXPECT_FALSE(form->AnswerTimer->Enabled());
}

TEST_F(MainWindowTest, MenuItemsAndShortcuts) {
    EXPECT_EQ(form->TrainMenuItem->text(), "&Начать");
    EXPECT_EQ(form->TrainMenuItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(form->ExitMenuItem->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(form->ContentsMenuItem->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(form->OptionsMenuItems->text(), "&Параметры...");
    EXPECT_EQ(form->AboutMenuItem->text(), "&О программе...");
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(form->WhiteButton->isHidden());
}

TEST_F(MainWindowTest, AltF4EndsTheProgramEvenDuringATraining) {
    Start();
    Press(Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(form->isVisible());
}

// The training under way when the window closes is abandoned there: its
// guesses stay in the run's evidence and no later answer is taken.
TEST_F(MainWindowTest, ClosingTheWindowAbandonsTheTrainingUnderWay) {
    options.BeepWrong = false;
    options.WaveWrong = false;
    Start();
    RightButton()->click();
    WrongButton()->click();
    ASSERT_TRUE(form->Training().UnderWay());
    Press(Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(form->Training().UnderWay());
    EXPECT_EQ(form->Training().Evidence().LogWealthCourse().size(), 2U);
    form->WhiteButton->click();
    EXPECT_EQ(Drawn(), 2);
    EXPECT_EQ(form->Training().TrainingCount(), 0);
}

TEST_F(MainWindowTest, MenuShortcutsWorkOnACyrillicLayoutWithoutALatinOne) {
    // Ctrl and the key that carries N and Т: Qt sees Ctrl+Т, which no shortcut names.
    QTest::sendKeyEvent(QTest::Click, KeyTarget(), Qt::Key(0x0422), QString::fromUtf8("т"),
                        Qt::ControlModifier);
    EXPECT_FALSE(form->WhiteButton->isHidden());
    Press(Qt::Key_W);
    QTest::sendKeyEvent(QTest::Click, KeyTarget(), Qt::Key(0x0422), QString::fromUtf8("т"),
                        Qt::ControlModifier);
    EXPECT_EQ(Drawn(), 0) << "a second Ctrl+N starts afresh";
}

TEST_F(MainWindowTest, AMenuAndAPageSharingAnAcceleratorOpenTheMenu) {
    const auto altLetter = [&](int key, const char* letter) {
        QTest::sendKeyEvent(QTest::Click, KeyTarget(), Qt::Key(key), QString::fromUtf8(letter),
                            Qt::AltModifier);
        QApplication::processEvents();
    };
    form->PageControl->setCurrentWidget(form->ResultsTabSheet);
    for (int press = 0; press < 2; ++press) {
        altLetter(0x0422, "т"); // Т: "&Тренировка" is the menu's and the page's
        EXPECT_TRUE(form->TrainingMenuItem->isVisible()) << "press " << press;
        EXPECT_EQ(form->PageControl->currentWidget(), form->ResultsTabSheet) << "press " << press;
        form->TrainingMenuItem->close();
        form->menuBar()->setActiveAction(nullptr);
    }
    form->PageControl->setCurrentWidget(form->TrainTabSheet);
    altLetter(0x0420, "р"); // Р: only the page "&Результаты" has it
    EXPECT_EQ(form->PageControl->currentWidget(), form->ResultsTabSheet);
}

TEST_F(MainWindowTest, HintsOfMenuItemsAndControlsReachTheStatusBar) {
    form->menuBar()->setActiveAction(form->HelpMenuItem->menuAction());
    EXPECT_EQ(form->StatusBar->currentMessage(), "Помощь к программе");
    form->HelpMenuItem->close();
    form->menuBar()->setActiveAction(form->TrainingMenuItem->menuAction());
    EXPECT_EQ(form->StatusBar->currentMessage(), "Тренировка интуиции");
    ASSERT_TRUE(WaitFor([&] { return form->TrainingMenuItem->isVisible(); }));
    form->TrainingMenuItem->setActiveAction(form->OptionsMenuItems);
    EXPECT_EQ(form->StatusBar->currentMessage(), "Параметры тренировок");
    form->TrainingMenuItem->setActiveAction(form->ExitMenuItem);
    EXPECT_EQ(form->StatusBar->currentMessage(), "Выход из программы");
    form->TrainingMenuItem->close();
    form->menuBar()->setActiveAction(nullptr);

    form->PageControl->setCurrentWidget(form->ResultsTabSheet);
    QTest::mouseMove(form->IntuitionChart);
    ASSERT_TRUE(WaitFor([&] { return !form->StatusBar->currentMessage().isEmpty(); }));
    EXPECT_EQ(form->StatusBar->currentMessage(),
              "Масштабирование левой кнопкой мыши, прокрутка - правой");
    form->PageControl->setCurrentWidget(form->TrainTabSheet);
    Start();
    QTest::mouseMove(form->BlackButton);
    EXPECT_TRUE(WaitFor([&] {
        return form->StatusBar->currentMessage() ==
               "Я чувствую, что сейчас выпадет ЧЁРНАЯ горошина!";
    }));
    form->PageControl->setCurrentWidget(form->ResultsTabSheet);
    // Neither the average field nor any of its parents has a hint.
    QTest::mouseMove(form->AverageEdit);
    EXPECT_TRUE(WaitFor([&] { return form->StatusBar->currentMessage().isEmpty(); }));
}

TEST_F(MainWindowTest, NoMenuHintStaysOnceTheKeyboardLeavesTheMenu) {
    const auto keys = [&](std::initializer_list<Qt::Key> sequence) {
        for (Qt::Key key : sequence) {
            QWidget* target = QApplication::activePopupWidget();
            QTest::keyClick(target ? target : KeyTarget(), key);
            QApplication::processEvents();
        }
        return form->StatusBar->currentMessage().toStdString();
    };
    EXPECT_EQ(keys({Qt::Key_Alt}), "Тренировка интуиции");
    EXPECT_EQ(keys({Qt::Key_Escape}), "");
    EXPECT_EQ(keys({Qt::Key_Alt, Qt::Key_Down, Qt::Key_Right}), "Вызов файла справки");
    EXPECT_EQ(keys({Qt::Key_Escape, Qt::Key_Escape}), "");
}

TEST_F(MainWindowTest, HelpFollowsTheFocusedControl) {
    const auto topicFor = [&](QWidget* focused) {
        focused->setFocus();
        // F1 is the menu's shortcut, so the training's key handling never sees it.
        Press(Qt::Key_F1);
        HelpViewer* viewer = HelpViewerWindow();
        return viewer ? viewer->CurrentPage() : QString();
    };
    InitHelp(KVARZEL_BINARY_DIR "/kvarzel");
    Start();
    EXPECT_TRUE(topicFor(form->WhiteButton).contains("Training"))
        << topicFor(form->WhiteButton).toStdString();
    form->PageControl->setCurrentWidget(form->ResultsTabSheet);
    EXPECT_TRUE(topicFor(form->AverageEdit).contains("ResultsTab"));
    EXPECT_TRUE(topicFor(form->PageControl->tabBar()).contains("UserIface"));
}

} // namespace
} // namespace kvarzel::testing
