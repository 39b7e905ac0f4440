#pragma once

#include <QHash>
#include <QIconEngine>
#include <QImage>

#include <functional>

namespace kvarzel {

// An icon drawn only when a size of it is first asked for, then kept: a window system that
// wants one size of the program icon does not wait for all of them at start-up.
class ProgramIconEngine final : public QIconEngine {
public:
    using Renderer = std::function<QImage(int side)>;

    ProgramIconEngine(QList<QSize> sizes, Renderer render);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    QPixmap normalPixmap(int side);

    QList<QSize> sizes_;
    Renderer render_;
    QHash<int, QPixmap> drawn_;
};

} // namespace kvarzel
