// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/chart_gesture_fixture.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace kvarzel::testing {
namespace {

class ChartZoomTest : public ChartGestureTest {
protected:
    ChartZoomTest() {
        Chart().OnZoom = [this] { events.push_back("zoom"); };
        Chart().OnUndoZoom = [this] { events.push_back("undo"); };
    }
    void ZoomIn() { host.Drag(Qt::LeftButton, Inside(40, 30), Inside(120, 100)); }

    std::vector<std::string> events;
};

TEST_F(ChartZoomTest, DragDownAndRightOverSixteenPixelsZoomsToTheRectangle) {
    const QPoint from = Inside(50, 40);
    const QPoint to = from + QPoint(20, 20);
    const TChartAxis& bottom = Chart().BottomAxis();
    const TChartAxis& left = Chart().LeftAxis();
    const double fromX = bottom.PixelToValue(from.x()), toX = bottom.PixelToValue(to.x());
    const double fromY = left.PixelToValue(from.y()), toY = left.PixelToValue(to.y());
    host.Drag(Qt::LeftButton, from, to);
    ExpectRange(bottom, fromX, toX);
    ExpectRange(left, toY, fromY);
    EXPECT_TRUE(Chart().Zoomed());
    EXPECT_EQ(events, std::vector<std::string>{"zoom"});
    // The hidden axes are zoomed as well, and stop following their data.
    EXPECT_FALSE(Chart().TopAxis().Automatic());
    EXPECT_FALSE(Chart().RightAxis().Automatic());
    EXPECT_FALSE(Chart().Dirty()) << "the zoom is painted";
}

TEST_F(ChartZoomTest, DragUpOrLeftUndoesTheZoom) {
    for (const QPoint direction : {QPoint(-20, -20), QPoint(-20, 20), QPoint(20, -20)}) {
        ZoomIn();
        ASSERT_NE(Chart().BottomAxis().Maximum(), 6.0);
        const QPoint from = Inside(100, 100);
        host.Drag(Qt::LeftButton, from, from + direction);
        ExpectUnzoomed();
        EXPECT_FALSE(Chart().Zoomed());
        EXPECT_TRUE(Chart().RangesRestored());
    }
    EXPECT_EQ(events, (std::vector<std::string>{"zoom", "undo", "zoom", "undo", "zoom", "undo"}));
}

TEST_F(ChartZoomTest, SixteenPixelsOrFewerEitherWayChangeNothingAtAll) {
    ZoomIn();
    events.clear();
    const double zoomedMax = Chart().BottomAxis().Maximum();
    const QImage before = Chart().Bitmap().copy();
    for (const QPoint size :
         {QPoint(100, 16), QPoint(16, 100), QPoint(-100, -16), QPoint(17, 0), QPoint(-16, -100)}) {
        const QPoint from = Inside(120, 100);
        host.Drag(Qt::LeftButton, from, from + size);
        EXPECT_FALSE(Chart().Dirty()) << "no redraw for " << size.x() << " x " << size.y();
        EXPECT_EQ(Chart().Bitmap(), before);
    }
    EXPECT_EQ(Chart().BottomAxis().Maximum(), zoomedMax);
    EXPECT_TRUE(events.empty());
}

// Below the bottom axis and out of the chart: the pointer stays captured, and no limit applies.
TEST_F(ChartZoomTest, AZoomMayEndOutsideTheChartAndReachBelowZero) {
    const QPoint outside(Chart().width() + 20, Chart().height() + 10);
    host.Press(Qt::LeftButton, Inside(200, 100));
    host.MoveTo(outside);
    EXPECT_TRUE(Chart().Zoom.Active);
    EXPECT_EQ(QPoint(Chart().Zoom.X1, Chart().Zoom.Y1), outside);
    host.Release(Qt::LeftButton, outside);
    EXPECT_GT(Chart().BottomAxis().Maximum(), 6);
    EXPECT_LT(Chart().LeftAxis().Minimum(), 0);
}

TEST_F(ChartZoomTest, UndoBringsBackTheRangesFromBeforeTheFirstZoomOrScroll) {
    ZoomIn();
    host.Drag(Qt::RightButton, Inside(100, 100), Inside(60, 130));
    ZoomIn();
    host.Drag(Qt::LeftButton, Inside(100, 100), Inside(60, 60));
    ExpectUnzoomed();
    // After an undo the next zoom saves afresh: a range set meanwhile is what comes back.
    Chart().BottomAxis().SetMaximum(8);
    ZoomIn();
    host.Drag(Qt::LeftButton, Inside(100, 100), Inside(60, 60));
    ExpectRange(Chart().BottomAxis(), 0, 8);
    ExpectRange(Chart().LeftAxis(), 0, 100);
}

TEST_F(ChartZoomTest, UndoWithNothingSavedOnlyTellsAndRepaints) {
    Chart().BottomAxis().SetMaximum(7);
    host.Settle();
    Chart().RevertZoom();
    EXPECT_TRUE(Chart().Dirty());
    EXPECT_EQ(events, std::vector<std::string>{"undo"});
    ExpectRange(Chart().BottomAxis(), 0, 7);
    EXPECT_FALSE(Chart().BottomAxis().Automatic());
    EXPECT_TRUE(Chart().TopAxis().Automatic());
}

TEST_F(ChartZoomTest, UndoPutsBackAnAxisWhoseEndsWereTogether) {
    // The bottom axis before the first training runs from 0 to 0.
    Chart().BottomAxis().SetMaximum(0);
    host.Settle();
    ZoomIn();
    EXPECT_GT(Chart().BottomAxis().Maximum(), 0) << "a zoom keeps the ends apart";
    Chart().RevertZoom();
    ExpectRange(Chart().BottomAxis(), 0, 0);
    EXPECT_FALSE(Chart().BottomAxis().Automatic());
}

TEST_F(ChartZoomTest, PressesDuringADragAreIgnoredAndTheRightButtonEndsOnlyAScroll) {
    host.Press(Qt::LeftButton, Inside(40, 30));
    host.Press(Qt::RightButton, Inside(60, 60));
    EXPECT_FALSE(Chart().Panning.Active);
    host.Release(Qt::RightButton, Inside(60, 60));
    EXPECT_TRUE(Chart().Zoom.Active);
    host.MoveTo(Inside(120, 100));
    host.Release(Qt::LeftButton, Inside(120, 100));
    EXPECT_TRUE(Chart().Zoomed());
}

TEST_F(ChartZoomTest, AZoomDragWhoseReleaseWentElsewhereEndsAtTheNextMove) {
    const QImage before = Chart().Bitmap().copy();
    host.Press(Qt::LeftButton, Inside(40, 30));
    host.MoveTo(Inside(90, 80));
    // The release went to a modal window: the next move comes with no button held.
    QMouseEvent move(QEvent::MouseMove, QPointF(Inside(100, 90)), QPointF(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Chart(), &move);
    host.Settle();
    EXPECT_FALSE(Chart().Zoom.Active);
    EXPECT_EQ(Chart().Bitmap(), before);
    host.Release(Qt::LeftButton, Inside(100, 90));
    ExpectUnzoomed();
}

class ChartHitTest : public ChartZoomTest {};

TEST_F(ChartHitTest, AnAxisIsHitOnItsTickBandOnly) {
    const TChartAxis& left = Chart().LeftAxis();
    const TChartAxis& bottom = Chart().BottomAxis();
    const int y50 = left.ValueToPixel(50);
    const int x = (Rect().Left + Rect().Right) / 2 + 3; // between two points, off the line
    EXPECT_EQ(Chart().CalcClickedPart(left.PosLabels(), y50), ClickedPart::Axis);
    EXPECT_EQ(Chart().CalcClickedPart(left.PosLabels() - 1, y50), ClickedPart::None)
        << "label text";
    EXPECT_EQ(Chart().CalcClickedPart(x, bottom.PosAxis() - 3), ClickedPart::Axis)
        << "axes come first";
    EXPECT_EQ(Chart().CalcClickedPart(x, bottom.PosAxis() - 4), ClickedPart::ChartRect);
    EXPECT_EQ(Chart().CalcClickedPart(x, bottom.PosLabels() - 1), ClickedPart::Axis);
    EXPECT_EQ(Chart().CalcClickedPart(x, bottom.PosLabels()), ClickedPart::None) << "label text";
    // Along the axis the end pixel is already outside.
    EXPECT_EQ(Chart().CalcClickedPart(bottom.IEndPos() - 1, bottom.PosAxis() + 2),
              ClickedPart::Axis);
    EXPECT_EQ(Chart().CalcClickedPart(bottom.IEndPos(), bottom.PosAxis() + 2), ClickedPart::None);
    EXPECT_EQ(Chart().CalcClickedPart(left.PosAxis() + 2, left.IEndPos()), ClickedPart::Axis)
        << "bottom";
    EXPECT_EQ(Chart().CalcClickedPart(left.PosAxis() - 1, left.IEndPos() + 1), ClickedPart::None);
    // Margins.
    EXPECT_EQ(Chart().CalcClickedPart(Rect().Right + 1, y50), ClickedPart::None);
    EXPECT_EQ(Chart().CalcClickedPart(x, Rect().Top - 1), ClickedPart::None);
}

TEST_F(ChartHitTest, APressOnTheLabelTextStartsNothing) {
    const TChartAxis& left = Chart().LeftAxis();
    const QPoint onLabel(left.PosLabels() - 4, left.ValueToPixel(50));
    host.Drag(Qt::LeftButton, onLabel, onLabel + QPoint(60, 40));
    ExpectUnzoomed();
    host.Drag(Qt::LeftButton, onLabel + QPoint(4, 0), onLabel + QPoint(64, 40));
    EXPECT_TRUE(Chart().Zoomed()) << "the tick band starts a drag";
}

TEST_F(ChartHitTest, APointerReachingIntoTheMarginIsOnTheSeries) {
    TLineSeries& series = static_cast<TLineSeries&>(Chart().Series(0));
    series.AddPoint(5.5, 100);
    host.Settle();
    const QPoint point(Chart().BottomAxis().ValueToPixel(5.5), Rect().Top - 2);
    EXPECT_EQ(Chart().CalcClickedPart(point.x(), point.y()), ClickedPart::Series);
    EXPECT_EQ(Chart().CalcClickedPart(point.x() + 6, point.y()), ClickedPart::None);
    host.Drag(Qt::RightButton, point, point + QPoint(0, 30));
    EXPECT_NE(Chart().LeftAxis().Maximum(), 100.0) << "the scroll drag started on the pointer";
}

TEST_F(ChartHitTest, AChartWithoutSeriesOrAxesStartsNoDrag) {
    TChart& strip = Chart();
    strip.Series(0).SetActive(false);
    strip.SetAxisVisible(false);
    host.Settle();
    const QImage before = strip.Bitmap().copy();
    host.Press(Qt::LeftButton, {20, 20});
    host.MoveTo({120, 120});
    EXPECT_FALSE(strip.Zoom.Active);
    EXPECT_EQ(strip.Bitmap(), before);
    host.Release(Qt::LeftButton, {120, 120});
    host.Drag(Qt::RightButton, {100, 100}, {60, 60});
    ExpectUnzoomed();
}

class ChartRubberBandTest : public ChartZoomTest {
protected:
    // NOT(pen XOR pixel) on the colour bits.
    static QRgb Inverted(QRgb pixel, QRgb pen) { return 0xFF000000 | (~(pixel ^ pen) & 0xFFFFFF); }
    void ExpectBand(const QImage& before, QPoint a, QPoint b, QRgb pen) {
        const QImage& now = Chart().Bitmap();
        for (int x = a.x(); x < b.x(); ++x) {
            EXPECT_EQ(now.pixel(x, a.y()), Inverted(before.pixel(x, a.y()), pen)) << x;
            EXPECT_EQ(now.pixel(x, b.y() - 1), Inverted(before.pixel(x, b.y() - 1), pen)) << x;
        }
        for (int y = a.y(); y < b.y(); ++y) {
            EXPECT_EQ(now.pixel(a.x(), y), Inverted(before.pixel(a.x(), y), pen)) << y;
            EXPECT_EQ(now.pixel(b.x() - 1, y), Inverted(before.pixel(b.x() - 1, y), pen)) << y;
        }
        EXPECT_EQ(now.pixel(b.x(), b.y()), before.pixel(b.x(), b.y()));
        EXPECT_EQ(now.pixel(a.x() + 5, a.y() + 5), before.pixel(a.x() + 5, a.y() + 5));
    }
};

TEST_F(ChartRubberBandTest, TheBandInvertsTheWindowAndDrawingItAgainErasesIt) {
    const QImage before = Chart().Bitmap().copy();
    const QPoint start = Inside(40, 30);
    host.Press(Qt::LeftButton, start);
    host.MoveTo(start + QPoint(60, 50));
    ExpectBand(before, start, start + QPoint(60, 50), qRgb(0xC0, 0xC0, 0xC0));
    // Up and to the left of the start the band is drawn just as well.
    host.MoveTo(start - QPoint(20, 20));
    ExpectBand(before, start - QPoint(20, 20), start, qRgb(0xC0, 0xC0, 0xC0));
    const QImage shown = Chart().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, Chart().Bitmap()) << "the window shows the band";
    host.Release(Qt::LeftButton, start + QPoint(10, 10));
    EXPECT_EQ(Chart().Bitmap(), before);
    EXPECT_FALSE(Chart().Dirty());
}

TEST_F(ChartRubberBandTest, ARepaintDuringTheDragKeepsTheBandWhereItIs) {
    const QImage before = Chart().Bitmap().copy();
    const QPoint start = Inside(40, 30);
    host.Press(Qt::LeftButton, start);
    host.MoveTo(start + QPoint(60, 50));
    Chart().Invalidate();
    host.Settle();
    EXPECT_FALSE(Chart().Dirty());
    ExpectBand(before, start, start + QPoint(60, 50), qRgb(0xC0, 0xC0, 0xC0));
    host.MoveTo(start + QPoint(70, 10));
    host.Release(Qt::LeftButton, start + QPoint(70, 10));
    EXPECT_EQ(Chart().Bitmap(), before);
}

TEST_F(ChartRubberBandTest, OnAWhitePanelTheBandIsBlack) {
    Chart().SetColor(clWhite);
    host.Settle();
    const QImage before = Chart().Bitmap().copy();
    const QPoint start = Inside(40, 30);
    host.Press(Qt::LeftButton, start);
    host.MoveTo(start + QPoint(60, 50));
    ExpectBand(before, start, start + QPoint(60, 50), qRgb(0, 0, 0));
    EXPECT_EQ(Chart().Bitmap().pixel(start.x() + 30, start.y()), qRgb(0, 0, 0));
    host.Release(Qt::LeftButton, start);
}

} // namespace
} // namespace kvarzel::testing
