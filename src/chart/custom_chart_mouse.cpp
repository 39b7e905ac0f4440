// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/custom_chart.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

namespace kvarzel {

namespace {

// A zoom rectangle must be larger than this both ways; a smaller one is a slip of the hand.
constexpr int kZoomThreshold = 16;

QPoint PixelOf(const QMouseEvent* event) {
    return event->position().toPoint();
}

} // namespace

void TCustomChart::mousePressEvent(QMouseEvent* event) {
    DropDragsWithoutButton(event->buttons());
    if (Zoom.Active || Panning.Active)
        return;
    const QPoint at = PixelOf(event);
    const ClickedPart part = CalcClickedPart(at.x(), at.y());
    if (part == ClickedPart::Series || part == ClickedPart::Axis || part == ClickedPart::ChartRect)
        StartDrag(event->button(), at.x(), at.y());
}

void TCustomChart::StartDrag(Qt::MouseButton button, int x, int y) {
    if (AllowZoom() && button == Qt::LeftButton) {
        UseDragCursor();
        Zoom.Activate(x, y);
        DrawZoomRectangleOnWindow();
    }
    if (AllowPanning() != pmNone && button == Qt::RightButton) {
        UseDragCursor();
        Panning.Activate(x, y);
    }
}

void TCustomChart::mouseMoveEvent(QMouseEvent* event) {
    DropDragsWithoutButton(event->buttons());
    const QPoint at = PixelOf(event);
    if (Zoom.Active)
        MoveZoomCorner(at.x(), at.y());
    if (Panning.Active)
        ContinueScrollDrag(at.x(), at.y());
    if (!Zoom.Active && !Panning.Active)
        RestoreCursor();
}

void TCustomChart::DropDragsWithoutButton(Qt::MouseButtons held) {
    if (Zoom.Active && !held.testFlag(Qt::LeftButton))
        EndZoomDrag();
    if (!held.testFlag(Qt::RightButton))
        Panning.Active = false;
}

void TCustomChart::MoveZoomCorner(int x, int y) {
    if (x == Zoom.X1 && y == Zoom.Y1)
        return;
    DrawZoomRectangleOnWindow();
    Zoom.X1 = x;
    Zoom.Y1 = y;
    DrawZoomRectangleOnWindow();
}

void TCustomChart::ContinueScrollDrag(int x, int y) {
    // Once out of the chart rectangle the drag is over, even if the pointer comes back.
    if (!ChartRect().Contains(x, y)) {
        Panning.Active = false;
        return;
    }
    if (x == Panning.X1 && y == Panning.Y1)
        return;
    ScrollStep(Panning.X1, Panning.Y1, x, y);
    Panning.X1 = x;
    Panning.Y1 = y;
}

void TCustomChart::mouseReleaseEvent(QMouseEvent* event) {
    if (Zoom.Active && event->button() == Qt::LeftButton) {
        const QPoint at = PixelOf(event);
        FinishZoomDrag(at.x(), at.y());
    }
    Panning.Active = false;
}

void TCustomChart::EndZoomDrag() {
    Zoom.Active = false;
    DrawZoomRectangleOnWindow();
}

void TCustomChart::FinishZoomDrag(int x, int y) {
    EndZoomDrag();
    Zoom.X1 = x;
    Zoom.Y1 = y;
    if (std::abs(Zoom.X1 - Zoom.X0) <= kZoomThreshold ||
        std::abs(Zoom.Y1 - Zoom.Y0) <= kZoomThreshold)
        return;
    // Down and to the right zooms in; any other way back out.
    if (Zoom.X1 > Zoom.X0 && Zoom.Y1 > Zoom.Y0) {
        Zoom.Check();
        ZoomRect({Zoom.X0, Zoom.Y0, Zoom.X1, Zoom.Y1});
    } else {
        RevertZoom();
    }
    Invalidate();
}

void TCustomChart::leaveEvent(QEvent* event) {
    Panning.Active = false;
    RestoreCursor();
    TCustomAxisPanel::leaveEvent(event);
}

void TCustomChart::wheelEvent(QWheelEvent* event) {
    // Only a focused chart scrolls; otherwise the notch belongs to the window around it.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    ScrollByWheel(event->angleDelta().y());
    event->accept();
}

void TCustomChart::DrawZoomRectangleOnWindow() {
    DrawOverWindow([this](Canvas& canvas) { DrawZoomRectangle(canvas); });
}

void TCustomChart::UseDragCursor() {
    if (!dragCursorShown_) {
        ownCursor_.reset();
        if (testAttribute(Qt::WA_SetCursor))
            ownCursor_ = cursor();
        dragCursorShown_ = true;
    }
    setCursor(Qt::ArrowCursor);
}

void TCustomChart::RestoreCursor() {
    if (!dragCursorShown_)
        return;
    if (ownCursor_)
        setCursor(*ownCursor_);
    else
        unsetCursor();
    dragCursorShown_ = false;
}

} // namespace kvarzel
