// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/sitemap.h"

#include <QRegularExpression>

namespace kvarzel {

namespace {

using Attributes = QHash<QString, QString>;

QString DecodeEntities(QString text) {
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

Attributes ParseAttributes(const QString& text) {
    static const QRegularExpression attribute(
        QStringLiteral(R"re(([\w-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    Attributes attributes;
    for (const auto& match : attribute.globalMatch(text)) {
        QString value = match.captured(2) + match.captured(3) + match.captured(4);
        attributes.insert(match.captured(1).toLower(), DecodeEntities(value));
    }
    return attributes;
}

// Follows the list structure: a <UL> right after an entry holds that entry's children.
class SitemapReader {
public:
    SitemapReader() { levels_.push_back({&entries_, false}); }

    void Tag(const QString& name, bool closing, const QString& attributeText) {
        if (name == u"ul") {
            closing ? CloseList() : OpenList();
        } else if (name == u"object") {
            closing ? CloseObject() : OpenObject(ParseAttributes(attributeText));
        } else if (name == u"param" && !closing) {
            Param(ParseAttributes(attributeText));
        }
    }

    std::vector<SitemapEntry> Take() { return std::move(entries_); }

private:
    struct Level {
        std::vector<SitemapEntry>* List;
        bool HasEntry;
    };

    // Past this depth a list holds its entries beside its parent's: the tree
    // is walked recursively, and only a damaged file nests so deep.
    static constexpr std::size_t MaxDepth = 32;

    void OpenList() {
        Level& top = levels_.back();
        const bool nests = top.HasEntry && levels_.size() < MaxDepth;
        levels_.push_back({nests ? &top.List->back().Children : top.List, false});
    }

    void CloseList() {
        if (levels_.size() > 1) {
            levels_.pop_back();
        }
    }

    void OpenObject(const Attributes& attributes) {
        inObject_ = attributes.value(QStringLiteral("type"))
                        .compare(QStringLiteral("text/sitemap"), Qt::CaseInsensitive) == 0;
        current_ = {};
    }

    void Param(const Attributes& attributes) {
        if (!inObject_) {
            return;
        }
        const QString name = attributes.value(QStringLiteral("name")).toLower();
        const QString value = attributes.value(QStringLiteral("value"));
        // An index keyword may list several pages; the first one is its target.
        if (name == u"name" && current_.Name.isEmpty()) {
            current_.Name = value;
        } else if (name == u"local" && current_.Local.isEmpty()) {
            current_.Local = value;
        }
    }

    void CloseObject() {
        if (inObject_ && !current_.Name.isEmpty()) {
            Level& top = levels_.back();
            top.List->push_back(std::move(current_));
            top.HasEntry = true;
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
        reader.Tag(match.captured(2).toLower(), !match.captured(1).isEmpty(), match.captured(3));
    }
    return reader.Take();
}

} // namespace kvarzel
