#pragma once

#include "chart/chart_title.h"
#include "chart/chart_wall.h"
#include "chart/custom_axis_panel.h"

namespace kvarzel {

// The chart with its walls, title, foot and legend, and the order of one paint.
class TCustomChart : public TCustomAxisPanel {
public:
    explicit TCustomChart(QWidget* parent = nullptr);

    TChartWall& BackWall() { return backWall_; }
    // The frame of the chart rectangle is the back wall's pen itself.
    TChartPen& Frame() { return backWall_.Pen(); }
    void SetFrame(const TChartPen& pen) { backWall_.Pen().Assign(pen); }
    TChartTitle& Title() { return title_; }
    TChartTitle& Foot() { return foot_; }
    TChartLegend& Legend() { return legend_; }
    bool View3D() const { return view3D_; }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3D(bool value) { ChangeSetting(view3D_, value, this); }
    void SetView3DWalls(bool value) { ChangeSetting(view3DWalls_, value, this); }

    // The rubber band of a zoom drag, in the inverting pen: drawing it twice erases it.
    void DrawZoomRectangle(Canvas& canvas) const;

protected:
    void DrawInnerChart(Canvas& canvas) override;

private:
    void DrawTitles(Canvas& canvas);
    void DrawBackWall(Canvas& canvas);

    TChartWall backWall_;
    TChartTitle title_;
    TChartTitle foot_;
    TChartLegend legend_;
    bool view3D_ = true;
    bool view3DWalls_ = true;
};

} // namespace kvarzel
