// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace kvarzel {

// How the program icon is drawn at a size: up to 16 pixels the small drawing, made pixel by
// pixel on a 16-pixel grid in black and white, which smoothing could only blur; above that the
// large drawing with smooth (antialiased) edges. Reduced to black and white, the large drawing
// shows steps from 32 pixels on and at 22 and 24 pixels loses the white pea in its outline.
enum class IconLook { SmallDrawing, LargeSmooth };
IconLook IconLookAt(int size);

// The icon at `size` pixels from the two drawings, on a transparent ground; a null image when
// a drawing cannot be read.
QImage RenderProgramIcon(const QString& smallSvg, const QString& largeSvg, int size);
// The large drawing at `size` pixels, edges smoothed by partly transparent pixels.
QImage RenderSmoothIcon(const QString& svg, int size);

} // namespace kvarzel
