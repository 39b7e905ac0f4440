// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shortcut.h"

#include <QString>

namespace kvarzel {

// "Ctrl+Shift+F5"-style text of a shortcut value, "" for 0, and back;
// text that names no key gives 0.
QString ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const QString& text);

} // namespace kvarzel
