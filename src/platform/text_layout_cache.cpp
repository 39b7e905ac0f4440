#include "platform/text_layout_cache.h"

#include <QTransform>

namespace kvarzel {

void TextLayoutCache::Select(const QFont& font) {
    const QString key = font.key();
    auto found = fonts_.find(key);
    if (found == fonts_.end())
        found = fonts_.try_emplace(key, font).first;
    selected_ = &found->second;
}

void TextLayoutCache::Forget() {
    for (auto it = fonts_.begin(); it != fonts_.end();) {
        if (&it->second == selected_) {
            it->second.texts.clear();
            ++it;
        } else {
            it = fonts_.erase(it);
        }
    }
    size_ = 0;
}

const LaidOutText& TextLayoutCache::Text(const QString& text) {
    auto found = selected_->texts.find(text);
    if (found != selected_->texts.end())
        return *found;
    if (size_ >= MaxTexts)
        Forget();
    LaidOutText entry{selected_->metrics.horizontalAdvance(text), QStaticText(text)};
    entry.Shaped.setTextFormat(Qt::PlainText);
    entry.Shaped.setPerformanceHint(QStaticText::AggressiveCaching);
    entry.Shaped.prepare(QTransform(), selected_->font);
    ++size_;
    return *selected_->texts.insert(text, entry);
}

} // namespace kvarzel
