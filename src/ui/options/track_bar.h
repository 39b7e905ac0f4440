// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSlider>

namespace kvarzel {

// A horizontal track bar whose keys move the thumb as a track bar's do:
// Left, Up and Page Up towards the minimum, Right, Down and Page Down towards
// the maximum, Home and End to the ends.
class TrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TrackBar(QWidget* parent = nullptr) : QSlider(Qt::Horizontal, parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kvarzel
