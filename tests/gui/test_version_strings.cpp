// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/version_block.h"
#include "ui/about/about_texts.h"
#include "ui/about/version_answer.h"
#include "ui/about/version_strings.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace kvarzel::testing {
namespace {

const char* const Keys[] = {"CompanyName",      "LegalTrademarks", "LegalCopyright", "ProductName",
                            "ProductVersion",   "FileDescription", "FileVersion",    "InternalName",
                            "OriginalFilename", "Comments"};

// Every field of the record beside its key, so a mix-up shows which one.
std::map<QString, QString> Fields(const VersionStrings& s) {
    return {{"CompanyName", s.CompanyName},           {"LegalTrademarks", s.LegalTrademarks},
            {"LegalCopyright", s.LegalCopyright},     {"ProductName", s.ProductName},
            {"ProductVersion", s.ProductVersion},     {"FileDescription", s.FileDescription},
            {"FileVersion", s.FileVersion},           {"InternalName", s.InternalName},
            {"OriginalFilename", s.OriginalFilename}, {"Comments", s.Comments}};
}

void ExpectDefaults(const VersionStrings& strings) {
    for (const auto& [key, value] : Fields(strings)) {
        const bool version = key == "ProductVersion" || key == "FileVersion";
        EXPECT_EQ(value, version ? "1.0.0.0" : "") << key.toStdString();
    }
}

VersionStrings Read(const VersionBlockFolder& folder) {
    VersionStrings strings;
    strings.Comments = "left over from an earlier reading";
    ReadVersionStrings(strings, folder.Resource());
    return strings;
}

TEST(VersionStringsTest, WithoutAResourceEveryFieldHasItsDefault) {
    ExpectDefaults(Read(VersionBlockFolder{}));
    VersionStrings strings;
    ReadVersionStrings(strings, VersionResource("/nonexistent/kvarzel-version"));
    ExpectDefaults(strings);
}

TEST(VersionStringsTest, OnlyTheRussianBlockIsRead) {
    VersionBlockFolder folder;
    std::map<QString, QByteArray> english;
    for (const char* key : Keys)
        english[key] = QByteArray("English ") + key;
    folder.Write("040904E4", english);
    folder.Write("041904E3_", english);
    ExpectDefaults(Read(folder));
}

TEST(VersionStringsTest, EachEntryLandsInItsOwnField) {
    VersionBlockFolder folder;
    std::map<QString, QByteArray> entries;
    for (const char* key : Keys)
        entries[key] = QString("%1: Кварзель").arg(key).toUtf8();
    folder.Write("041904E3", entries);
    for (const auto& [key, value] : Fields(Read(folder)))
        EXPECT_EQ(value, key + ": Кварзель");
}

TEST(VersionStringsTest, MissingEntriesKeepTheirDefaultsAndEmptyOnesStayEmpty) {
    VersionBlockFolder folder;
    folder.Write("041904E3", {{"FileVersion", ""}, {"ProductName", "Кварзель"}});
    const VersionStrings strings = Read(folder);
    EXPECT_EQ(strings.FileVersion, "");
    EXPECT_EQ(strings.ProductVersion, "1.0.0.0");
    EXPECT_EQ(strings.ProductName, "Кварзель");
    EXPECT_EQ(strings.Comments, "");
}

TEST(VersionStringsTest, TextEndsAtItsTerminatingZero) {
    VersionBlockFolder folder;
    folder.Write("041904E3", {{"FileVersion", QByteArray("2.1.0.7\0garbage", 15)}});
    EXPECT_EQ(Read(folder).FileVersion, "2.1.0.7");
}

TEST(VersionStringsTest, AFolderWhereAnEntryShouldBeCountsAsMissing) {
    VersionBlockFolder folder;
    folder.Write("041904E3", {});
    folder.Write("041904E3/FileVersion", {{"x", "1"}});
    EXPECT_EQ(Read(folder).FileVersion, "1.0.0.0");
}

TEST(VersionStringsTest, TheExecutableCarriesTheProgramsOwnBlock) {
    VersionStrings strings;
    ReadVersionStrings(strings);
    EXPECT_EQ(strings.CompanyName, "Tellumor");
    EXPECT_EQ(strings.ProductName, "Кварзель");
    EXPECT_EQ(strings.OriginalFilename, "kvarzel");
    EXPECT_TRUE(strings.FileDescription.contains(QRegularExpression("^[А-Яа-яЁё ]+$")))
        << strings.FileDescription.toStdString();
    // The licence the program is distributed under, as its copyright file states it.
    EXPECT_EQ(strings.LegalCopyright, "GNU GPL 3 или новее");
    const QString projectVersion = KVARZEL_PROJECT_VERSION;
    const QRegularExpression fourNumbers(R"(^\d+\.\d+\.\d+\.\d+$)");
    for (const QString& version : {strings.FileVersion, strings.ProductVersion}) {
        EXPECT_TRUE(fourNumbers.match(version).hasMatch()) << version.toStdString();
        EXPECT_TRUE(version.startsWith(projectVersion + ".") || version == projectVersion)
            << version.toStdString();
    }
}

// `kvarzel --version` names the very version the About dialog shows, whatever
// the resource holds, then the copyright and the licence.
TEST(VersionStringsTest, TheVersionAnswerShowsTheAboutDialogsVersion) {
    VersionBlockFolder folder;
    folder.Write("041904E3", {{"FileVersion", "3.1.4.1"},
                              {"ProductVersion", "9.9"},
                              {"LegalCopyright", "GNU GPL 3 или новее"}});
    for (const VersionResource& resource : {folder.Resource(), VersionResource::OfExecutable()}) {
        VersionStrings strings;
        ReadVersionStrings(strings, resource);
        const QStringList lines = QString::fromStdString(VersionAnswer(resource)).split('\n');
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[0], "kvarzel " + strings.FileVersion);
        EXPECT_TRUE(AboutHeaderText(strings).contains("Версия " + strings.FileVersion));
        EXPECT_EQ(lines[1], CopyrightNotice());
        EXPECT_TRUE(lines[2].contains(strings.LegalCopyright)) << lines[2].toStdString();
        EXPECT_EQ(lines.back(), "");
    }
    EXPECT_EQ(QString::fromStdString(VersionAnswer(folder.Resource())).section('\n', 0, 0),
              "kvarzel 3.1.4.1");
}

} // namespace
} // namespace kvarzel::testing
