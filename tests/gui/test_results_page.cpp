// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart.h"
#include "chart/custom_series.h"
#include "platform/desktop/locale_separators.h"
#include "test_support/main_form_fixture.h"
#include "test_support/message_box_closer.h"
#include "ui/main/results_page.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

namespace kvarzel::testing {
namespace {

class ResultsPageTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        page = std::make_unique<ResultsPage>(*form->IntuitionChart, *form->IntuitionSeries,
                                             *form->AverageEdit, *form->PageControl,
                                             *form->ResultsTabSheet);
    }
    static QString Decimal(const char* whole, const char* fraction) {
        return QString(whole) + UserNumberSeparators().Decimal + fraction;
    }
    void AddTrainings(int count) {
        for (int training = 1; training <= count; ++training)
            page->AddTrainingResult(40 + 10 * training, training);
        QApplication::processEvents();
    }

    // The mouse through the main window, as the window system delivers it; chart pixels.
    TChart& Chart() { return *form->IntuitionChart; }
    QPoint Inside(int dx, int dy) {
        return {Chart().ChartRect().Left + dx, Chart().ChartRect().Top + dy};
    }
    QPoint InWindow(QPoint at) { return Chart().mapTo(form.get(), at); }
    void Press(Qt::MouseButton button, QPoint at) {
        QTest::mousePress(form->windowHandle(), button, {}, InWindow(at));
    }
    void MoveTo(QPoint at) { QTest::mouseMove(form->windowHandle(), InWindow(at)); }
    void Release(Qt::MouseButton button, QPoint at) {
        QTest::mouseRelease(form->windowHandle(), button, {}, InWindow(at));
    }

    std::unique_ptr<ResultsPage> page;
};

TEST_F(ResultsPageTest, StartsEmpty) {
    EXPECT_EQ(form->IntuitionSeries->YValues().Count(), 0);
    EXPECT_TRUE(form->AverageEdit->text().isEmpty());
    EXPECT_EQ(form->IntuitionChart->BottomAxis().Maximum(), 0.0);
}

TEST_F(ResultsPageTest, FirstTrainingAddsAPointWidensTheAxisAndComesForward) {
    page->AddTrainingResult(70, 1);
    ASSERT_EQ(form->IntuitionSeries->YValues().Count(), 1);
    EXPECT_EQ(form->IntuitionSeries->XValues().Value(0), 1.0);
    EXPECT_EQ(form->IntuitionSeries->YValues().Value(0), 70.0);
    EXPECT_EQ(form->IntuitionChart->BottomAxis().Maximum(), 2.0);
    EXPECT_EQ(form->AverageEdit->text(), Decimal("70", "00"));
    EXPECT_EQ(form->PageControl->currentWidget(), form->ResultsTabSheet);
}

TEST_F(ResultsPageTest, AverageShowsTwoDecimals) {
    page->AddTrainingResult(50, 1);
    page->AddTrainingResult(75, 2);
    EXPECT_EQ(form->AverageEdit->text(), Decimal("62", "50"));
    page->AddTrainingResult(100.0 / 3, 3);
    page->AddTrainingResult(50, 4);
    EXPECT_EQ(form->IntuitionChart->BottomAxis().Maximum(), 5.0);
    // (50 + 75 + 33.33... + 50) / 4 = 52.0833...
    EXPECT_EQ(form->AverageEdit->text(), Decimal("52", "08"));
}

TEST_F(ResultsPageTest, AWholeTrainingEndsOnTheResultsPage) {
    form->SetTrainingResults(page.get());
    options.TimerEnabled = false;
    options.PeasCount = 2;
    Start();
    MessageBoxCloser closer;
    RightButton()->click();
    WrongButton()->click();
    EXPECT_EQ(form->IntuitionSeries->YValues().Value(0), 50.0);
    EXPECT_EQ(form->AverageEdit->text(), Decimal("50", "00"));
    EXPECT_EQ(form->PageControl->currentWidget(), form->ResultsTabSheet);
}

TEST_F(ResultsPageTest, ScrollingPastTheLastTrainingNarrowsTheViewAndKeepsItNarrow) {
    AddTrainings(3);
    const TChartAxis& bottom = Chart().BottomAxis();
    const QPoint start = Inside(150, 60);
    Press(Qt::RightButton, start);
    MoveTo(start + QPoint(-30, 0));
    // The maximum stays at trainings + 1 while the minimum moves on.
    EXPECT_EQ(bottom.Maximum(), 4.0);
    EXPECT_GT(bottom.Minimum(), 0);
    const double width = bottom.Maximum() - bottom.Minimum();
    MoveTo(start + QPoint(-20, 0));
    EXPECT_LT(bottom.Maximum(), 4.0);
    EXPECT_NEAR(bottom.Maximum() - bottom.Minimum(), width, 1e-9) << "no wider again";
    // Far to the right the minimum stops at 0 and the view narrows from the other side.
    MoveTo(start + QPoint(100, 0));
    EXPECT_EQ(bottom.Minimum(), 0.0);
    EXPECT_LT(bottom.Maximum() - bottom.Minimum(), width);
    Release(Qt::RightButton, start + QPoint(100, 0));
}

TEST_F(ResultsPageTest, ScrollingKeepsThePercentagesWithinZeroToOneHundred) {
    AddTrainings(2);
    const TChartAxis& left = Chart().LeftAxis();
    const QPoint start = Inside(100, 80);
    Press(Qt::RightButton, start);
    MoveTo(start + QPoint(0, 50)); // down: larger values
    EXPECT_EQ(left.Maximum(), 100.0);
    EXPECT_GT(left.Minimum(), 0);
    MoveTo(start + QPoint(0, -70));
    EXPECT_EQ(left.Minimum(), 0.0);
    EXPECT_LT(left.Maximum(), 100);
    Release(Qt::RightButton, start + QPoint(0, -70));
    // Other axes are left as proposed.
    double min = -5, max = 500;
    bool allow = true;
    page->IntuitionChartAllowScroll(&Chart().TopAxis(), min, max, allow);
    EXPECT_EQ(min, -5);
    EXPECT_EQ(max, 500);
    EXPECT_TRUE(allow);
}

TEST_F(ResultsPageTest, ATrainingEndingWhileZoomedUndoesTheZoomBeforeItsPoint) {
    AddTrainings(2);
    Press(Qt::LeftButton, Inside(20, 20));
    MoveTo(Inside(120, 90));
    Release(Qt::LeftButton, Inside(120, 90));
    ASSERT_TRUE(Chart().Zoomed());
    int pointsAtUndo = -1;
    Chart().OnUndoZoom = [&] { pointsAtUndo = form->IntuitionSeries->Count(); };
    page->AddTrainingResult(80, 3);
    EXPECT_EQ(pointsAtUndo, 2);
    EXPECT_FALSE(Chart().Zoomed());
    EXPECT_EQ(Chart().BottomAxis().Minimum(), 0.0);
    EXPECT_EQ(Chart().BottomAxis().Maximum(), 4.0);
    EXPECT_EQ(Chart().LeftAxis().Minimum(), 0.0);
    EXPECT_EQ(Chart().LeftAxis().Maximum(), 100.0);
}

// Where a sighted user reads the marks over the points, a screen reader reads
// the chart's description: each training's number and its mark.
TEST_F(ResultsPageTest, TheChartDescribesItsPointsAsTheirMarksRead) {
    const QString hint = Chart().statusTip();
    EXPECT_EQ(Chart().accessibleDescription(), hint);
    page->AddTrainingResult(50, 1);
    EXPECT_EQ(Chart().accessibleDescription(), "Точки: 1: 50. " + hint);
    page->AddTrainingResult(72.5, 2);
    page->AddTrainingResult(100.0 / 3, 3);
    EXPECT_EQ(Chart().accessibleDescription(), "Точки: 1: 50; 2: " + Decimal("72", "5") +
                                                   "; 3: " + Decimal("33", "33") + ". " + hint);
}

// Tab goes from the page tabs to the chart, which shows a focus frame, and on to
// the average, whose text it leaves unselected for a screen reader to read whole.
TEST_F(ResultsPageTest, TabReachesTheChartAndTheAverage) {
    AddTrainings(2);
    const QImage unfocused = Chart().grab().toImage();
    form->PageControl->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->PageControl->tabBar(), Qt::Key_Tab);
    ASSERT_TRUE(Chart().hasFocus());
    EXPECT_NE(Chart().grab().toImage(), unfocused);
    QTest::keyClick(&Chart(), Qt::Key_Tab);
    ASSERT_TRUE(form->AverageEdit->hasFocus());
    EXPECT_FALSE(form->AverageEdit->hasSelectedText());
    EXPECT_EQ(Chart().grab().toImage(), unfocused);
    // A click on the chart leaves the focus where it is.
    QTest::mouseClick(&Chart(), Qt::LeftButton, {}, Inside(10, 10));
    EXPECT_TRUE(form->AverageEdit->hasFocus());
}

} // namespace
} // namespace kvarzel::testing
