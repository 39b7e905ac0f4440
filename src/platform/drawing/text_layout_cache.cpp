// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/text_layout_cache.h"

#include <QPainter>
#include <QTransform>

namespace kvarzel {

void TextLayoutCache::Select(const QFont& font) {
    const QString key = font.key();
    auto found = fonts_.find(key);
    if (found == fonts_.end())
        found = fonts_.try_emplace(key, font).first;
    selected_ = &found->second;
}

void TextLayoutCache::evictOldest() {
    const Entry& oldest = recentFirst_.back();
    oldest.font->texts.remove(oldest.text);
    recentFirst_.pop_back();
}

LaidOutText& TextLayoutCache::Text(const QString& text) {
    // A text is measured and then drawn: the second time it is the one used last.
    if (!recentFirst_.empty() && recentFirst_.front().font == selected_ &&
        recentFirst_.front().text == text)
        return recentFirst_.front().laidOut;
    const auto found = selected_->texts.constFind(text);
    if (found != selected_->texts.cend()) {
        recentFirst_.splice(recentFirst_.begin(), recentFirst_, *found);
        return recentFirst_.front().laidOut;
    }
    if (Size() >= MaxTexts)
        evictOldest();
    LaidOutText entry;
    entry.Width = selected_->metrics.horizontalAdvance(text);
    entry.Shaped = QStaticText(text);
    entry.Shaped.setTextFormat(Qt::PlainText);
    entry.Shaped.setPerformanceHint(QStaticText::AggressiveCaching);
    entry.Shaped.prepare(QTransform(), selected_->font);
    recentFirst_.push_front({selected_, text, std::move(entry)});
    selected_->texts.insert(text, recentFirst_.begin());
    return recentFirst_.front().laidOut;
}

namespace {

// The smallest rectangle holding every pixel that is not transparent; empty when none is.
QRect InkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                ink |= QRect(x, y, 1, 1);
    }
    return ink;
}

} // namespace

void MakeTextPicture(LaidOutText& text, const QFont& font, TColor color) {
    // Room around the advance box for glyphs that reach out of it.
    const QFontMetrics metrics(font);
    const int margin = metrics.height();
    const QSizeF box = text.Shaped.size();
    QImage canvas(static_cast<int>(box.width()) + 2 * margin,
                  static_cast<int>(box.height()) + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
        painter.drawStaticText(margin, margin, text.Shaped);
    }
    const QRect ink = InkBounds(canvas);
    text.Picture = ink.isEmpty() ? QImage() : canvas.copy(ink);
    text.Offset = ink.topLeft() - QPoint(margin, margin);
    text.PictureColor = color;
    std::optional<MaskPicture> masks = MaskPictureOf(text.Picture);
    if (masks && masks->size() <= 1) {
        text.Ink = masks->empty() ? PixelMask() : std::move(masks->front().Mask);
        text.Picture = QImage();
    }
}

} // namespace kvarzel
