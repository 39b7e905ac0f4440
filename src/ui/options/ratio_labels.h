// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/colors.h"

#include <QPoint>
#include <QString>

class QLabel;
class QWidget;

namespace kvarzel {

// The question marks at the ends of the ratio strip: opaque labels in the
// strip's end colour with the text in the other, sized to their text; an
// empty one keeps the size of one blank.
QLabel* CreateRatioLabel(QWidget* strip, const char* name, QPoint place, TColor background,
                         TColor textColor);
void SetRatioLabelText(QLabel& label, const QString& text);

} // namespace kvarzel
