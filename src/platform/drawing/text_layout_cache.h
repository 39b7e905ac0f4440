// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/colors.h"
#include "platform/drawing/pixel_masks.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QStaticText>
#include <QString>

#include <list>
#include <map>
#include <optional>
#include <vector>

namespace kvarzel {

// A text measured and shaped once in one font, and once drawn in one colour.
struct LaidOutText {
    int Width = 0;
    QStaticText Shaped;
    // The pixels of the drawn glyphs, the same in every colour, from Offset, which is where
    // the corner of the ink lies from the text's left top. Made on the first drawing.
    std::optional<PixelMask> Ink;
    // Glyphs that are not whole pixels of one colour (a colour font) are kept as a picture
    // instead, cut to their ink on a transparent ground, and drawn again for a new colour.
    QImage Picture;
    QPoint Offset;
    TColor PictureColor = clNone;
};

// Charts measure and draw the same labels and marks on every paint, and shaping a text costs
// more than drawing it. Whoever owns a canvas keeps this store between paints; texts are kept
// per font, so a new font or a new text (other separators) is measured afresh. One canvas at a
// time uses a store.
class TextLayoutCache {
public:
    // Bound on the texts kept; past it the text used longest ago makes room. A chart of ten
    // thousand trainings shows some six thousand different marks, and a paint that needs more
    // texts than are kept would make every one of them afresh.
    static constexpr int MaxTexts = 16384;

    // Makes `font` the one that Text() and Height() answer for.
    void Select(const QFont& font);
    const QFont& Font() const { return selected_->font; }
    int Height() const { return selected_->height; }
    // Valid until MaxTexts other texts have been asked for.
    LaidOutText& Text(const QString& text);
    int Size() const { return static_cast<int>(recentFirst_.size()); }

private:
    struct FontTexts;
    struct Entry {
        FontTexts* font;
        QString text;
        LaidOutText laidOut;
    };
    using Entries = std::list<Entry>;

    struct FontTexts {
        explicit FontTexts(const QFont& f) : font(f), metrics(f), height(metrics.height()) {}
        QFont font;
        QFontMetrics metrics;
        int height;
        QHash<QString, Entries::iterator> texts;
    };

    void evictOldest();

    // A node-based map keeps the selected entry where it is while others come and go.
    std::map<QString, FontTexts> fonts_;
    FontTexts* selected_ = nullptr;
    // Every kept text of every font, the one used last in front.
    Entries recentFirst_;
};

// Draws `text` shaped in `font`, in `color`, with its left top at the origin, and keeps what
// the painter drew, cut to the ink, for drawing again: as a mask when it can.
void MakeTextPicture(LaidOutText& text, const QFont& font, TColor color);

} // namespace kvarzel
