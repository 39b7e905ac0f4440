// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kvarzel {

// Size of the bucket picture on the training page; the signal circle and the
// answer buttons are placed on top of it by this size.
inline constexpr int kBucketPictureWidth = 311;
inline constexpr int kBucketPictureHeight = 238;

// The training page's picture: a man at a machine pouring peas from a large
// bucket through a forked chute into two buckets below. 311 x 238, only pure
// black and pure white pixels (Format_RGB32). Rendered by the build, read
// once, then shared.
// At a device pixel ratio above 1 the picture has that many more pixels (and
// that ratio), drawn afresh from the drawing rather than scaled up.
QImage BucketPicture(qreal ratio = 1.0);

} // namespace kvarzel
