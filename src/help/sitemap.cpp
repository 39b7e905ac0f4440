// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/sitemap.h"

#include <QRegularExpression>

namespace kvarzel {

namespace {

using Attributes = QHash<QString, QString>;

QString decodeEntities(QString text) {
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9a-fA-F]+);"));
    QRegularExpressionMatch match;
    qsizetype from = 0;
    while ((match = numeric.match(text, from)).hasMatch()) {
        bool ok = false;
        const char32_t code = match.captured(2).toUInt(&ok, match.captured(1).isEmpty() ? 10 : 16);
        const QString replacement =
            ok && code <= QChar::LastValidCodePoint && !QChar::isSurrogate(code)
                ? QString::fromUcs4(&code, 1)
                : QString();
        text.replace(match.capturedStart(), match.capturedLength(), replacement);
        from = match.capturedStart() + replacement.size();
    }
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral("\u00a0"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&")); // last, so "&amp;lt;" stays "&lt;"
    return text;
}

Attributes parseAttributes(const QString& text) {
    static const QRegularExpression attribute(
        QStringLiteral(R"re(([\w-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    Attributes attributes;
    for (const auto& match : attribute.globalMatch(text)) {
        QString value = match.captured(2) + match.captured(3) + match.captured(4);
        attributes.insert(match.captured(1).toLower(), decodeEntities(value));
    }
    return attributes;
}

// Follows the list structure: a <UL> right after an entry holds that entry's children.
class SitemapReader {
public:
    SitemapReader() { levels_.push_back({&entries_, false}); }

    void tag(const QString& name, bool closing, const QString& attributeText) {
        if (name == u"ul") {
            closing ? closeList() : openList();
        } else if (name == u"object") {
            closing ? closeObject() : openObject(parseAttributes(attributeText));
        } else if (name == u"param" && !closing) {
            param(parseAttributes(attributeText));
        }
    }

    std::vector<SitemapEntry> take() { return std::move(entries_); }

private:
    struct Level {
        std::vector<SitemapEntry>* list;
        bool hasEntry;
    };

    // Past this depth a list holds its entries beside its parent's: the tree
    // is walked recursively, and only a damaged file nests so deep.
    static constexpr std::size_t maxDepth = 32;

    void openList() {
        Level& top = levels_.back();
        const bool nests = top.hasEntry && levels_.size() < maxDepth;
        levels_.push_back({nests ? &top.list->back().children : top.list, false});
    }

    void closeList() {
        if (levels_.size() > 1) {
            levels_.pop_back();
        }
    }

    void openObject(const Attributes& attributes) {
        inObject_ = attributes.value(QStringLiteral("type"))
                        .compare(QStringLiteral("text/sitemap"), Qt::CaseInsensitive) == 0;
        current_ = {};
    }

    void param(const Attributes& attributes) {
        if (!inObject_) {
            return;
        }
        const QString name = attributes.value(QStringLiteral("name")).toLower();
        const QString value = attributes.value(QStringLiteral("value"));
        // An index keyword may list several pages; the first one is its target.
        if (name == u"name" && current_.name.isEmpty()) {
            current_.name = value;
        } else if (name == u"local" && current_.local.isEmpty()) {
            current_.local = value;
        }
    }

    void closeObject() {
        if (inObject_ && !current_.name.isEmpty()) {
            Level& top = levels_.back();
            top.list->push_back(std::move(current_));
            top.hasEntry = true;
        }
        inObject_ = false;
    }

    std::vector<SitemapEntry> entries_;
    std::vector<Level> levels_;
    SitemapEntry current_;
    bool inObject_ = false;
};

} // namespace

std::vector<SitemapEntry> ParseSitemap(const QString& html) {
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral(R"re(<\s*(/?)\s*([A-Za-z]+)([^>]*)>)re"));
    QString text = html;
    text.remove(comment);
    SitemapReader reader;
    for (const auto& match : tag.globalMatch(text)) {
        reader.tag(match.captured(2).toLower(), !match.captured(1).isEmpty(), match.captured(3));
    }
    return reader.take();
}

} // namespace kvarzel
