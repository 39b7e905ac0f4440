#include "chart/chart.h"
#include "chart/custom_series.h"
#include "main_form_fixture.h"
#include "platform/locale_separators.h"
#include "ui/main/results_page.h"

#include <QLineEdit>
#include <QTabWidget>

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

} // namespace
} // namespace kvarzel::testing
