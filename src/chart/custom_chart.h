// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chart_title.h"
#include "chart/chart_wall.h"
#include "chart/custom_axis_panel.h"
#include "chart/saved_axis_ranges.h"

#include <QCursor>

#include <optional>

namespace kvarzel {

// What lies under a pixel of the chart, by the layout of the last paint.
enum class ClickedPart { None, Legend, Axis, Series, Title, Foot, ChartRect };

// The chart with its walls, title, foot and legend, and the order of one paint.
class TCustomChart : public TCustomAxisPanel {
public:
    explicit TCustomChart(QWidget* parent = nullptr);

    TChartWall& BackWall() { return backWall_; }
    // The frame of the chart rectangle is the back wall's pen itself.
    TChartPen& Frame() { return backWall_.Pen(); }
    void SetFrame(const TChartPen& pen) { backWall_.Pen().Assign(pen); }
    ChartTitle& Title() { return title_; }
    ChartTitle& Foot() { return foot_; }
    ChartLegend& Legend() { return legend_; }
    bool View3D() const { return view3D_; }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3D(bool value) { ChangeSetting(view3D_, value, this); }
    void SetView3DWalls(bool value) { ChangeSetting(view3DWalls_, value, this); }

    // The rubber band of a zoom drag, in the inverting pen: drawing it twice erases it.
    void DrawZoomRectangle(Canvas& canvas) const;

    // Tried in order: a series (the last one first), an axis's tick band, the title, the foot,
    // the chart rectangle while a series is active.
    ClickedPart CalcClickedPart(int x, int y);

    // Zooms every axis to the pixel rectangle, which may reach beyond the chart rectangle.
    void ZoomRect(const PixelRect& rect);
    // Puts the axes back as they were before the first zoom or scroll since the last undo.
    void RevertZoom();
    bool Zoomed() const { return zoomed_; }
    bool RangesRestored() const { return savedRanges_.Restored(); }
    // One step of a scroll drag: the view follows the pointer from (fromX, fromY) to (x, y),
    // each axis as far as OnAllowScroll lets it.
    void ScrollStep(int fromX, int fromY, int x, int y);
    // Wheel rotation in eighths of a degree (120 a notch), positive away from the user; the
    // vertical axes move 3 % of their range per notch and the remainder waits for the next turn.
    void ScrollByWheel(int delta);

protected:
    void DrawInnerChart(Canvas& canvas) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void DrawTitles(Canvas& canvas);
    void DrawBackWall(Canvas& canvas);

    void ScrollAxisByPixels(TCustomChartAxis& axis, int from, int to);
    void StartDrag(Qt::MouseButton button, int x, int y);
    void MoveZoomCorner(int x, int y);
    void ContinueScrollDrag(int x, int y);
    void FinishZoomDrag(int x, int y);
    void EndZoomDrag();
    // Ends a drag whose button came up where the chart could not hear it (a modal window).
    void DropDragsWithoutButton(Qt::MouseButtons held);
    // The rubber band straight onto what the window shows, between paints.
    void DrawZoomRectangleOnWindow();
    void UseDragCursor();
    void RestoreCursor();

    TChartWall backWall_;
    ChartTitle title_;
    ChartTitle foot_;
    ChartLegend legend_;
    bool view3D_ = true;
    bool view3DWalls_ = true;

    SavedAxisRanges savedRanges_;
    bool zoomed_ = false;
    int wheelRemainder_ = 0;
    // While a drag's cursor shows: the chart's own cursor to put back, if it had one.
    bool dragCursorShown_ = false;
    std::optional<QCursor> ownCursor_;
};

} // namespace kvarzel
