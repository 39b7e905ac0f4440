// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kvarzel {

enum class Background { White, Transparent };

// Renders an SVG file (a path or a ":/..." resource) at the given size and
// reduces it to pure black and pure white, so edges stay crisp as on a
// two-colour screen. With a transparent background, pixels the drawing does not
// cover (alpha below one half) stay fully transparent and every other pixel is
// opaque. Returns a null image when the file cannot be read.
QImage RenderTwoColour(const QString& svgFile, QSize size, Background background);

} // namespace kvarzel
