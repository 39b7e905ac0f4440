// SPDX-License-Identifier: GPL-3.0-or-later
// The ratio track bar, its black-to-white strip and the question marks.
#include "chart/chart.h"
#include "test_support/options_form_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QStyleOptionSlider>

namespace kvarzel::testing {
namespace {

class RatioPreview : public OptionsFormTest {
protected:
    void SetUp() override {
        OptionsFormTest::SetUp();
        Show();
        Focus(form->RatioTrackBar);
    }
    // "W" for a question mark on the white-text label, "B" on the black one.
    QString Marks() const {
        return QString(form->WhiteQLabel->text() == "?" ? "W" : "") +
               (form->BlackQLabel->text() == "?" ? "B" : "");
    }
    QImage Strip() const { return form->RatioChart->grab().toImage(); }
};

TEST_F(RatioPreview, AQuestionMarkStandsAtTheEndTheThumbHasReached) {
    EXPECT_EQ(Marks(), "W");
    Press(Qt::Key_Right);
    EXPECT_EQ(form->RatioTrackBar->value(), 1);
    EXPECT_EQ(Marks(), "");
    Press(Qt::Key_End);
    EXPECT_EQ(Marks(), "B");
    Press(Qt::Key_Left);
    EXPECT_EQ(form->RatioTrackBar->value(), 19);
    EXPECT_EQ(Marks(), "");
    Press(Qt::Key_Home);
    EXPECT_EQ(Marks(), "W");
}

TEST_F(RatioPreview, PageKeysMoveTenPositionsClampedAtTheEnds) {
    form->RatioTrackBar->setValue(5);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(form->RatioTrackBar->value(), 15);
    Press(Qt::Key_PageUp);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(form->RatioTrackBar->value(), 0);
    EXPECT_EQ(Marks(), "W");
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(form->RatioTrackBar->value(), 2);
}

TEST_F(RatioPreview, EachShowPutsTheThumbAtTheRecordsRatio) {
    Press(Qt::Key_Escape);
    Options->PeasRatio = 20;
    Show();
    EXPECT_EQ(Marks(), "B");
    Press(Qt::Key_Escape);
    Options->PeasRatio = -3;
    Show();
    EXPECT_EQ(form->RatioTrackBar->value(), 0);
    EXPECT_EQ(Marks(), "W");
}

TEST_F(RatioPreview, TheLabelsSizeThemselvesToTheirTextOrOneBlank) {
    EXPECT_EQ(form->WhiteQLabel->geometry(), QRect(3, 4, 6, 13));
    EXPECT_EQ(form->BlackQLabel->geometry(), QRect(204, 4, 3, 13));
    Press(Qt::Key_End);
    EXPECT_EQ(form->WhiteQLabel->size(), QSize(3, 13));
    EXPECT_EQ(form->BlackQLabel->size(), QSize(6, 13));
    EXPECT_EQ(form->BlackQLabel->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form->BlackQLabel->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(RatioPreview, TheStripRunsFromBlackToWhiteUnderTheBackWallsFrame) {
    ASSERT_EQ(form->RatioChart->geometry(), QRect(13, 44, 215, 20));
    const QImage strip = Strip();
    ASSERT_EQ(strip.size(), QSize(215, 20));
    for (int x = 0; x < 215; ++x)
        EXPECT_EQ(strip.pixel(x, 0), qRgb(0, 0, 0)) << "top row, column " << x;
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(strip.pixel(0, y), qRgb(0, 0, 0)) << "left column, row " << y;
    EXPECT_EQ(strip.pixel(214, 10), qRgb(255, 255, 255));
    EXPECT_EQ(strip.pixel(214, 19), qRgb(255, 255, 255));
    const int middle = qGray(strip.pixel(107, 19));
    EXPECT_GT(middle, 100);
    EXPECT_LT(middle, 155);
    EXPECT_LT(qGray(strip.pixel(50, 19)), middle);
    EXPECT_GT(qGray(strip.pixel(160, 19)), middle);
}

TEST_F(RatioPreview, TheThumbMeetsTheEndsOfTheStrip) {
    QSlider& trackBar = *form->RatioTrackBar;
    for (const auto& [value, stripColumn] : {std::pair{0, 0}, std::pair{20, 214}}) {
        trackBar.setValue(value);
        QStyleOptionSlider option;
        option.initFrom(&trackBar);
        option.orientation = Qt::Horizontal;
        option.minimum = trackBar.minimum();
        option.maximum = trackBar.maximum();
        option.sliderPosition = option.sliderValue = value;
        option.tickPosition = trackBar.tickPosition();
        const QRect thumb = trackBar.style()->subControlRect(QStyle::CC_Slider, &option,
                                                             QStyle::SC_SliderHandle, &trackBar);
        const int thumbMiddle = trackBar.mapTo(form->RatioGroupBox, thumb.center()).x();
        EXPECT_NEAR(thumbMiddle, form->RatioChart->x() + stripColumn, 1) << "at " << value;
    }
}

TEST_F(RatioPreview, MouseInputOnTheStripGoesToTheStripNotTheTrackBar) {
    for (const QPoint point : {QPoint(150, 10), QPoint(5, 8)}) {
        QWidget* target = form->RatioChart->childAt(point);
        QTest::mouseClick(target ? target : form->RatioChart, Qt::LeftButton, {},
                          target ? target->mapFrom(form->RatioChart, point) : point);
    }
    EXPECT_EQ(form->RatioTrackBar->value(), 0);
    EXPECT_EQ(form->RatioChart->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form->RatioGroupBox->childAt(100, 50), form->RatioChart);
}

} // namespace
} // namespace kvarzel::testing
