// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace kvarzel {

enum AnchorSide { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

// Keeps controls at their designed distances from the sides of their parent
// they are anchored to, whatever size the parent gets.
class Anchors : public QObject {
public:
    Anchors(QWidget* parent, QSize designSize);

    // Places the control at its designed rectangle and keeps it anchored.
    void Place(QWidget* control, QRect designRect, int sides = akLeft | akTop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Anchored {
        QWidget* Control;
        QRect DesignRect;
        int Sides;
    };
    void Apply(const Anchored& anchored) const;

    QWidget* parent_;
    QSize designSize_;
    std::vector<Anchored> controls_;
};

} // namespace kvarzel
