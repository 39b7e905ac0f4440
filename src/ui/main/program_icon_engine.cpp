#include "ui/main/program_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

namespace kvarzel {

ProgramIconEngine::ProgramIconEngine(QList<QSize> sizes, Renderer render)
    : sizes_(std::move(sizes)), render_(std::move(render)) {}

QPixmap ProgramIconEngine::normalPixmap(int side) {
    auto found = drawn_.find(side);
    if (found == drawn_.end())
        found = drawn_.insert(side, QPixmap::fromImage(render_(side)));
    return *found;
}

// Square sizes only; another shape gets the square that fits in it.
QPixmap ProgramIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    const int side = std::min(size.width(), size.height());
    if (side <= 0)
        return {};
    QPixmap pixmap = normalPixmap(side);
    if (mode == QIcon::Normal || mode == QIcon::Active || !qApp)
        return pixmap;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
}

void ProgramIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    const QSize logical = drawn.size() / ratio;
    QRect target(QPoint(0, 0), logical);
    target.moveCenter(rect.center());
    painter->drawPixmap(target, drawn);
}

QList<QSize> ProgramIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    return sizes_;
}

QIconEngine* ProgramIconEngine::clone() const {
    return new ProgramIconEngine(*this);
}

QString ProgramIconEngine::key() const {
    return QStringLiteral("KvarzelProgramIcon");
}

} // namespace kvarzel
