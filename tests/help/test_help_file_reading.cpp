// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/chm_file.h"
#include "help/chm_system_info.h"
#include "help/help_document.h"
#include "help/help_text.h"
#include "test_support/built_help_file.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

QByteArray SystemRecord(quint16 code, const QByteArray& text) {
    QByteArray record;
    const QByteArray data = text + '\0';
    record.append(char(code & 0xff)).append(char(code >> 8));
    record.append(char(data.size() & 0xff)).append(char(data.size() >> 8));
    return record + data;
}

const QByteArray systemVersion("\x03\x00\x00\x00", 4);

TEST(ParseChmSystemInfo, ReadsTheKnownRecordsAndSkipsOthers) {
    const QByteArray data = systemVersion + SystemRecord(9, "compiler") +
                            SystemRecord(2, "Start.htm") + SystemRecord(3, "Справка") +
                            SystemRecord(0, "k.hhc") + SystemRecord(1, "k.hhk");
    const ChmSystemInfo info = ParseChmSystemInfo(data);
    EXPECT_EQ(info.DefaultTopic, "Start.htm");
    EXPECT_EQ(info.Title, "Справка");
    EXPECT_EQ(info.ContentsFile, "k.hhc");
    EXPECT_EQ(info.IndexFile, "k.hhk");
}

TEST(ParseChmSystemInfo, StopsAtDamageAndKeepsWhatCameBefore) {
    const QByteArray whole =
        systemVersion + SystemRecord(2, "Start.htm") + SystemRecord(0, "k.hhc");
    EXPECT_EQ(ParseChmSystemInfo(whole.left(whole.size() - 2)).DefaultTopic, "Start.htm");
    EXPECT_TRUE(ParseChmSystemInfo(whole.left(whole.size() - 2)).ContentsFile.isEmpty());
    QByteArray overlong = systemVersion + SystemRecord(3, "T");
    overlong[systemVersion.size() + 2] = char(0xff);
    EXPECT_TRUE(ParseChmSystemInfo(overlong).Title.isEmpty());
    EXPECT_TRUE(ParseChmSystemInfo(QByteArray()).Title.isEmpty());
    EXPECT_TRUE(ParseChmSystemInfo(QByteArray(3, 'x')).Title.isEmpty());
}

TEST(DecodeHelpText, ReadsUtf8AndTheRussianCodePage) {
    EXPECT_EQ(DecodeHelpText(QStringLiteral("Тренировка").toUtf8()), "Тренировка");
    QStringEncoder cp1251("windows-1251");
    ASSERT_TRUE(cp1251.isValid());
    const QByteArray legacy = cp1251.encode(QStringLiteral("Тренировка"));
    EXPECT_EQ(DecodeHelpText(legacy), "Тренировка");
}

TEST(DecodeHelpText, FollowsTheCharsetAPageDeclares) {
    QStringEncoder cp1251("windows-1251");
    const QByteArray page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                            "charset=windows-1251\"></head><body>" +
                            QByteArray(cp1251.encode(QStringLiteral("Чёрная"))) + "</body></html>";
    EXPECT_TRUE(DecodeHelpText(page).contains("Чёрная"));
}

TEST(ChmFile, RefusesMissingAndForeignFiles) {
    EXPECT_FALSE(ChmFile::Open(QString()).has_value());
    EXPECT_FALSE(ChmFile::Open("/nonexistent/folder/kvarzel.chm").has_value());
    QTemporaryDir folder;
    QFile fake(folder.filePath("fake.chm"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write(QByteArray(4096, 'x'));
    fake.close();
    EXPECT_FALSE(ChmFile::Open(fake.fileName()).has_value());
    EXPECT_FALSE(ChmFile::Open(folder.path()).has_value());
}

TEST(ChmFile, ReadsPagesOfTheBuiltHelpFile) {
    const auto file = ChmFile::Open(BuiltHelpFile());
    ASSERT_TRUE(file.has_value()) << BuiltHelpFile().toStdString();
    const auto page = file->Read("/Training.htm");
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(page->startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page->endsWith("</html>\n"));
    EXPECT_TRUE(DecodeHelpText(*page).contains("Ваша интуиция составляет"));
    EXPECT_TRUE(file->Read("/styles.css").has_value());
    EXPECT_FALSE(file->Read("/NoSuchPage.htm").has_value());
    EXPECT_FALSE(file->Read("").has_value());
}

TEST(LoadHelpDocument, ReadsTitleContentsIndexAndDefaultPage) {
    const auto document = LoadHelpDocument(BuiltHelpFile());
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(document->System.Title, "Справка программы «Кварзель»");
    EXPECT_EQ(document->DefaultPage(), "UserIface.htm");
    ASSERT_EQ(document->Contents.size(), 3u);
    EXPECT_EQ(document->Contents[0].Children.size(), 3u);
    EXPECT_GT(document->Index.size(), 20u);
    for (const SitemapEntry& keyword : document->Index) {
        const QString page = keyword.Local.section('#', 0, 0);
        EXPECT_TRUE(document->File.Read('/' + page).has_value()) << keyword.Local.toStdString();
    }
    EXPECT_FALSE(LoadHelpDocument("/nonexistent/kvarzel.chm").has_value());
}

TEST(HelpDocument, FallsBackToTheFirstContentsPage) {
    auto document = LoadHelpDocument(BuiltHelpFile());
    ASSERT_TRUE(document.has_value());
    document->System.DefaultTopic.clear();
    document->Contents.insert(document->Contents.begin(), SitemapEntry{"Heading", "", {}});
    document->Contents.front().Children.push_back({"Inner", "Inner.htm", {}});
    EXPECT_EQ(document->DefaultPage(), "Inner.htm");
    document->Contents.clear();
    EXPECT_TRUE(document->DefaultPage().isEmpty());
}

} // namespace
} // namespace kvarzel
