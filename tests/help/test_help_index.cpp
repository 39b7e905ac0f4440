// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_address.h"
#include "help/help_document.h"
#include "help/help_text.h"
#include "help/help_topics.h"
#include "test_support/built_help_file.h"
#include "test_support/test_application.h"

#include <QCollator>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

class HelpIndex : public ::testing::Test {
protected:
    void SetUp() override {
        testing::TestApplication();
        document = LoadHelpDocument(BuiltHelpFile());
        ASSERT_TRUE(document.has_value());
    }
    std::optional<HelpDocument> document;
};

bool StartsInCyrillic(const QString& keyword) {
    return !keyword.isEmpty() && keyword.front().script() == QChar::Script_Cyrillic;
}

// The viewer lists the keywords as the file has them, so the file keeps them
// in Russian alphabetical order; key names and file names in Latin letters
// come first, as in the indexes of Windows help files.
TEST_F(HelpIndex, KeywordsFollowRussianAlphabeticalOrder) {
    QCollator russian{QLocale(QLocale::Russian, QLocale::Russia)};
    russian.setCaseSensitivity(Qt::CaseInsensitive);
    ASSERT_GT(document->Index.size(), 20u);
    for (std::size_t i = 1; i < document->Index.size(); ++i) {
        const QString& before = document->Index[i - 1].Name;
        const QString& after = document->Index[i].Name;
        const bool ordered = StartsInCyrillic(before) == StartsInCyrillic(after)
                                 ? russian.compare(before, after) < 0
                                 : StartsInCyrillic(after);
        EXPECT_TRUE(ordered) << before.toStdString() << " comes before " << after.toStdString();
    }
}

// A menu item's own dots end a sentence on their own.
TEST_F(HelpIndex, NoSentenceOfATopicEndsInFourDots) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    for (const std::string_view topic : HelpTopics) {
        const QString page = HelpTopicPage(topic);
        const auto data = document->File.Read(u'/' + page);
        ASSERT_TRUE(data.has_value()) << page.toStdString();
        const QString text = DecodeHelpText(*data).remove(tag);
        EXPECT_FALSE(text.contains("....")) << page.toStdString();
    }
}

} // namespace
} // namespace kvarzel
