// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/sitemap.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

QString Entry(const QString& name, const QString& local) {
    return QStringLiteral("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"%1\">"
                          "<param name=\"Local\" value=\"%2\"></OBJECT>")
        .arg(name, local);
}

TEST(ParseSitemap, ReadsNestedListsInOrder) {
    const QString html = "<HTML><BODY><UL>" + Entry("Главное окно", "UserIface.htm") + "<UL>" +
                         Entry("Меню", "MainMenu.htm") + Entry("Тренировка", "Training.htm") +
                         "</UL>" + Entry("О программе", "AboutApp.htm") + "</UL></BODY></HTML>";
    const auto entries = ParseSitemap(html);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "Главное окно");
    EXPECT_EQ(entries[0].Local, "UserIface.htm");
    ASSERT_EQ(entries[0].Children.size(), 2u);
    EXPECT_EQ(entries[0].Children[0].Name, "Меню");
    EXPECT_EQ(entries[0].Children[1].Local, "Training.htm");
    EXPECT_EQ(entries[1].Name, "О программе");
    EXPECT_TRUE(entries[1].Children.empty());
}

TEST(ParseSitemap, ReadsThreeLevelsAndReturnsToTheRightOne) {
    const QString html = "<ul>" + Entry("A", "a.htm") + "<ul>" + Entry("B", "b.htm") + "<ul>" +
                         Entry("C", "c.htm") + "</ul>" + Entry("D", "d.htm") + "</ul>" +
                         Entry("E", "e.htm") + "</ul>";
    const auto entries = ParseSitemap(html);
    ASSERT_EQ(entries.size(), 2u);
    ASSERT_EQ(entries[0].Children.size(), 2u);
    EXPECT_EQ(entries[0].Children[0].Children.at(0).Name, "C");
    EXPECT_EQ(entries[0].Children[1].Name, "D");
    EXPECT_EQ(entries[1].Name, "E");
}

TEST(ParseSitemap, AcceptsAnyCaseQuotingAndEntities) {
    const QString html = "<ul><li><object TYPE='Text/Sitemap'>"
                         "<PARAM NAME=name VALUE=\"Tom &amp; Jerry &lt;1&gt; &#1041;&#x416;\">"
                         "<param name='LOCAL' value='page.htm#part'></object></ul>";
    const auto entries = ParseSitemap(html);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "Tom & Jerry <1> БЖ");
    EXPECT_EQ(entries[0].Local, "page.htm#part");
}

TEST(ParseSitemap, SkipsPropertyObjectsCommentsAndNamelessEntries) {
    const QString html = "<object type=\"text/site properties\"><param name=\"Name\" value=\"X\">"
                         "</object><!-- " +
                         Entry("Hidden", "h.htm") + " --><ul>" + Entry("", "nameless.htm") +
                         Entry("Heading", "") + "</ul>";
    const auto entries = ParseSitemap(html);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "Heading");
    EXPECT_TRUE(entries[0].Local.isEmpty());
}

TEST(ParseSitemap, TakesTheFirstPageOfAnIndexKeyword) {
    const QString html =
        "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Звук\">"
        "<param name=\"Name\" value=\"Параметры\"><param name=\"Local\" "
        "value=\"OptsForm.htm\"><param name=\"Local\" value=\"Training.htm\">"
        "</object></ul>";
    const auto entries = ParseSitemap(html);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "Звук");
    EXPECT_EQ(entries[0].Local, "OptsForm.htm");
}

TEST(ParseSitemap, SurvivesBrokenText) {
    EXPECT_TRUE(ParseSitemap("").empty());
    EXPECT_TRUE(ParseSitemap("</ul></ul></object><param name=Name value=x>").empty());
    const auto unclosed = ParseSitemap("<ul><ul><ul>" + Entry("Deep", "d.htm"));
    ASSERT_EQ(unclosed.size(), 1u);
    EXPECT_EQ(unclosed[0].Name, "Deep");
    const auto truncated =
        ParseSitemap("<ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
                     "value=\"Cut\"><param name=");
    EXPECT_TRUE(truncated.empty());
    EXPECT_TRUE(ParseSitemap("&#99999999;&#xFFFFFFFF;<ul>" + Entry("&#xD800;x", "a")).size() == 1u);
}

struct TreeShape {
    std::size_t depth = 0;
    std::size_t entries = 0;
};

// Follows the last entry of each level, where a nested list hangs.
TreeShape ShapeAlongLastEntries(const std::vector<SitemapEntry>& entries) {
    TreeShape shape;
    for (const std::vector<SitemapEntry>* level = &entries; !level->empty();
         level = &level->back().Children) {
        ++shape.depth;
        shape.entries += level->size();
    }
    return shape;
}

// Every walk over the tree is recursive, so a damaged file that nests its
// lists without end must not give a tree as deep as that.
TEST(ParseSitemap, KeepsEndlesslyNestedListsShallowButComplete) {
    constexpr int levels = 10000;
    QString html;
    for (int i = 0; i < levels; ++i) {
        html += "<ul>" + Entry("x", "x.htm");
    }
    const TreeShape shape = ShapeAlongLastEntries(ParseSitemap(html));
    EXPECT_LE(shape.depth, 64u);
    EXPECT_EQ(shape.entries, std::size_t{levels});
}

} // namespace
} // namespace kvarzel
