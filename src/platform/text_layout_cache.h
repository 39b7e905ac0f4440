#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

#include <map>

namespace kvarzel {

// A text measured and shaped once in one font.
struct LaidOutText {
    int Width = 0;
    QStaticText Shaped;
};

// Charts measure and draw the same labels and marks on every paint, and shaping a text costs
// more than drawing it. Whoever owns a canvas keeps this store between paints; texts are kept
// per font, so a new font or a new text (other separators) is measured afresh. One canvas at a
// time uses a store.
class TextLayoutCache {
public:
    // Bound on the texts kept; past it the store starts again empty.
    static constexpr int MaxTexts = 4096;

    // Makes `font` the one that Text() and Height() answer for.
    void Select(const QFont& font);
    const QFont& Font() const { return selected_->font; }
    int Height() const { return selected_->height; }
    // Valid until the next call of Text().
    const LaidOutText& Text(const QString& text);
    int Size() const { return size_; }

private:
    struct FontTexts {
        explicit FontTexts(const QFont& f) : font(f), metrics(f), height(metrics.height()) {}
        QFont font;
        QFontMetrics metrics;
        int height;
        QHash<QString, LaidOutText> texts;
    };

    void Forget();

    // A node-based map keeps the selected entry where it is while others come and go.
    std::map<QString, FontTexts> fonts_;
    FontTexts* selected_ = nullptr;
    int size_ = 0;
};

} // namespace kvarzel
