// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_address.h"
#include "help/help_document.h"
#include "help/help_text.h"
#include "help/help_topics.h"
#include "test_support/built_help_file.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

// A target inside the help file: a page or picture and an optional anchor.
struct Target {
    QString object;
    QString anchor;
};

Target TargetOf(const QString& link, const QString& fromPage) {
    const qsizetype hash = link.indexOf(u'#');
    const QString object = hash < 0 ? link : link.left(hash);
    return {object.isEmpty() ? fromPage : object, hash < 0 ? QString() : link.mid(hash + 1)};
}

QStringList Matches(const QString& pattern, const QString& text) {
    QStringList found;
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    for (const auto& match : expression.globalMatch(text)) {
        found << match.captured(1);
    }
    return found;
}

bool IsOutside(const QString& link) {
    return link.contains(u':');
}

class HelpLinks : public ::testing::Test {
protected:
    void SetUp() override {
        document = LoadHelpDocument(BuiltHelpFile());
        ASSERT_TRUE(document.has_value()) << BuiltHelpFile().toStdString();
    }

    QString Text(const QString& object) const {
        const auto data = document->File.Read(u'/' + object);
        return data ? DecodeHelpText(*data) : QString();
    }

    // Describes what is wrong with a target; empty when it is there.
    QString ProblemWith(const Target& target) const {
        const QString page = Text(target.object);
        if (page.isEmpty()) {
            return target.object + " is not in the help file";
        }
        const QStringList anchors = Matches(R"re(<a\s+(?:name|id)="([^"]+)")re", page);
        if (!target.anchor.isEmpty() && !anchors.contains(target.anchor)) {
            return target.object + " has no anchor " + target.anchor;
        }
        return {};
    }

    void ExpectTargetsOf(const std::vector<SitemapEntry>& entries) const {
        for (const SitemapEntry& entry : entries) {
            if (!entry.Local.isEmpty()) {
                EXPECT_EQ(ProblemWith(TargetOf(entry.Local, {})), "") << entry.Name.toStdString();
            }
            ExpectTargetsOf(entry.Children);
        }
    }

    std::optional<HelpDocument> document;
};

TEST_F(HelpLinks, EveryLinkAndPictureOfEveryTopicIsInTheFile) {
    for (const std::string_view topic : HelpTopics) {
        const QString page = HelpTopicPage(topic);
        const QString html = Text(page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        const QStringList links = Matches(R"re((?:href|src)="([^"]+)")re", html);
        EXPECT_GE(links.size(), 2) << page.toStdString();
        for (const QString& link : links) {
            if (!IsOutside(link)) {
                EXPECT_EQ(ProblemWith(TargetOf(link, page)), "")
                    << page.toStdString() << ": " << link.toStdString();
            }
        }
    }
}

TEST_F(HelpLinks, EveryContentsAndIndexEntryOpensAnExistingPlace) {
    ExpectTargetsOf(document->Contents);
    ExpectTargetsOf(document->Index);
}

TEST_F(HelpLinks, AMissingAnchorOrPageIsNoticed) {
    EXPECT_EQ(ProblemWith({"Training.htm", "timer"}), "");
    EXPECT_NE(ProblemWith({"Training.htm", "no-such-anchor"}), "");
    EXPECT_NE(ProblemWith({"NoSuchPage.htm", ""}), "");
}

} // namespace
} // namespace kvarzel
