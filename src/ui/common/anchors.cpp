// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/anchors.h"

#include <QEvent>
#include <QWidget>

namespace kvarzel {

Anchors::Anchors(QWidget* parent, QSize designSize)
    : QObject(parent), parent_(parent), designSize_(designSize) {
    parent->installEventFilter(this);
}

void Anchors::Place(QWidget* control, QRect designRect, int sides) {
    controls_.push_back({control, designRect, sides});
    Apply(controls_.back());
}

bool Anchors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent_ && event->type() == QEvent::Resize)
        for (const auto& anchored : controls_)
            Apply(anchored);
    return false;
}

void Anchors::Apply(const Anchored& anchored) const {
    const QSize growth = parent_->size() - designSize_;
    QRect rect = anchored.DesignRect;
    const bool left = anchored.Sides & akLeft, right = anchored.Sides & akRight;
    const bool top = anchored.Sides & akTop, bottom = anchored.Sides & akBottom;
    if (left && right)
        rect.setWidth(rect.width() + growth.width());
    else if (right)
        rect.translate(growth.width(), 0);
    if (top && bottom)
        rect.setHeight(rect.height() + growth.height());
    else if (bottom)
        rect.translate(0, growth.height());
    anchored.Control->setGeometry(rect);
}

} // namespace kvarzel
