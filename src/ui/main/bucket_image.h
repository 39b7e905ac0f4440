#pragma once

#include <QLabel>

namespace kvarzel {

// The bucket picture; it reports which mouse button was pressed on it.
class TImage : public QLabel {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void MouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace kvarzel
