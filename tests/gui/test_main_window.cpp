#include "chart/chart.h"
#include "help/help.h"
#include "help/help_viewer.h"
#include "main_form_fixture.h"
#include "platform/application_hint.h"
#include "platform/timer.h"
#include "ui/main/bucket_image.h"

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
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "a fixed border";
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
    form->menuBar()->setActiveAction(form->TrainingMenuItem->menuAction());
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
    // Neither the average field nor any of its parents has a hint.
    QTest::mouseMove(form->AverageEdit);
    EXPECT_TRUE(WaitFor([&] { return form->StatusBar->currentMessage().isEmpty(); }));
}

TEST_F(MainWindowTest, HelpFollowsTheFocusedControl) {
    const auto topicFor = [&](QWidget* focused) {
        if (focused)
            focused->setFocus();
        form->ContentsMenuItem->trigger();
        HelpViewer* viewer = HelpViewerWindow();
        return viewer ? viewer->currentPage() : QString();
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
