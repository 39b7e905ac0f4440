// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLabel>

#include <functional>

namespace kvarzel {

// The bucket picture; it reports which mouse button was pressed on it.
class BucketView : public QLabel {
    Q_OBJECT
public:
    explicit BucketView(QWidget* parent = nullptr) : QLabel(parent) {}

    // Where the picture comes from, at a given device pixel ratio: it is shown
    // at the ratio of the screen the window is on, and drawn afresh when that
    // ratio changes, so it stays crisp on a HiDPI screen.
    using PictureSource = std::function<QImage(qreal ratio)>;
    void SetPicture(PictureSource source);

signals:
    void MouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowPictureAtScreenRatio();

    PictureSource picture_;
};

} // namespace kvarzel
