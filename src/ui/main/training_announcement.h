// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"

#include <QString>

namespace kvarzel {

// What a screen reader says as a training starts, where a sighted user sees
// the answer buttons appear: how many peas there are, which keys answer (the
// fixed ones, and the hot keys that act), and how long an answer may take.
QString TrainingStartText(int peasCount, TShortCut keyWhite, TShortCut keyBlack,
                          bool timerEnabled, int timeInterval);

} // namespace kvarzel
