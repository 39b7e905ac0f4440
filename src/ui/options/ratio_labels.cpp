// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/ratio_labels.h"

#include "platform/desktop/application.h"
#include "platform/drawing/canvas.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace kvarzel {
namespace {

// The layout gives a one-line label of the 11-pixel dialog font a 13-pixel
// line, a little more than the substitute font's own height.
constexpr int LabelLineHeight = 13;

} // namespace

QLabel* CreateRatioLabel(QWidget* strip, const char* name, QPoint place, TColor background,
                         TColor textColor) {
    auto* label = new QLabel(strip);
    label->setObjectName(name);
    label->setFont(MsSansSerifFont());
    label->setAutoFillBackground(true);
    label->setMargin(0);
    label->setIndent(0);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ToQColor(background));
    palette.setColor(QPalette::WindowText, ToQColor(textColor));
    label->setPalette(palette);
    label->move(place);
    SetRatioLabelText(*label, {});
    return label;
}

void SetRatioLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    const QFontMetrics metrics(label.font());
    label.resize(metrics.horizontalAdvance(text.isEmpty() ? QStringLiteral(" ") : text),
                 std::max(metrics.height(), LabelLineHeight));
}

} // namespace kvarzel
