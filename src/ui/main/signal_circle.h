// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/colors.h"

#include <QWidget>

namespace kvarzel {

// The signal circle: a disc in its fill colour with a thin black outline.
class SignalCircle : public QWidget {
    Q_OBJECT
public:
    explicit SignalCircle(QWidget* parent = nullptr);

    void SetBrushColor(TColor color);
    TColor BrushColor() const { return brushColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor brushColor_ = clWhite;
};

} // namespace kvarzel
