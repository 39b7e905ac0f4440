// SPDX-License-Identifier: GPL-3.0-or-later
// A damaged or misplaced help file is reported by the viewer; it must never
// crash or hold the program that opens it.
#include "help/chm_file.h"
#include "help/help_address.h"
#include "help/help_document.h"
#include "help/help_topics.h"
#include "test_support/built_help_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <future>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

class DamagedHelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        QFile built(BuiltHelpFile());
        ASSERT_TRUE(built.open(QIODevice::ReadOnly));
        original = built.readAll();
        ASSERT_GT(original.size(), 4096);
    }

    // Opens the bytes as the viewer does and reads every page it would show.
    // True when the file opened.
    bool LoadAndReadPages(const QByteArray& bytes) {
        const QString path = folder.filePath("kvarzel.chm");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            return false;
        file.close();
        const auto document = LoadHelpDocument(path);
        if (!document)
            return false;
        for (const std::string_view topic : HelpTopics)
            document->File.Read('/' + HelpTopicPage(topic));
        document->File.Read('/' + document->DefaultPage());
        return true;
    }

    QByteArray original;
    QTemporaryDir folder;
};

TEST_F(DamagedHelpFile, UnchangedCopyOpensAndAForeignSignatureDoesNot) {
    EXPECT_TRUE(LoadAndReadPages(original));
    QByteArray foreign = original;
    foreign[0] = 'X';
    EXPECT_FALSE(LoadAndReadPages(foreign));
    EXPECT_FALSE(LoadAndReadPages(original.left(100)));
    EXPECT_FALSE(LoadAndReadPages(QByteArray()));
}

// Sizes, offsets and counts of the headers and the directory lie in the
// first few kilobytes: each of their words is set to 0 and to all ones.
TEST_F(DamagedHelpFile, EveryWordOfTheHeadersZeroedOrAllOnes) {
    int opened = 0;
    for (qsizetype at = 0; at + 4 <= 0x1100; at += 4) {
        for (const char fill : {'\0', '\xFF'}) {
            QByteArray damaged = original;
            damaged.replace(at, 4, QByteArray(4, fill));
            opened += LoadAndReadPages(damaged) ? 1 : 0;
        }
    }
    EXPECT_GT(opened, 0) << "words that nobody reads still spoil the file";
}

// The compressed section's control data (window size, reset interval) and
// its reset table (block size, entry count) follow each other; a zero or an
// absurd value in any of their bytes used to divide by zero or read past
// the end of a buffer.
TEST_F(DamagedHelpFile, EveryByteOfTheCompressionParameters) {
    const qsizetype control = original.indexOf("LZXC") - 4;
    ASSERT_GT(control, 0);
    for (qsizetype at = control; at < control + 128; ++at) {
        for (const char value : {'\0', '\x01', '\x80', '\xFF'}) {
            QByteArray damaged = original;
            damaged[at] = value;
            LoadAndReadPages(damaged);
        }
    }
}

TEST_F(DamagedHelpFile, RandomlyChangedBytesAnywhere) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<qsizetype> position(0, original.size() - 1);
    std::uniform_int_distribution<int> count(1, 8);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int copy = 0; copy < 300; ++copy) {
        QByteArray damaged = original;
        for (int changes = count(random); changes > 0; --changes)
            damaged[position(random)] = static_cast<char>(byte(random));
        LoadAndReadPages(damaged);
    }
}

TEST(HelpFileInPlace, PipeIsRefusedWithoutWaiting) {
    QTemporaryDir folder;
    const QByteArray pipe = QFile::encodeName(folder.filePath("kvarzel.chm"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    auto opening = std::async(std::launch::async,
                              [&] { return ChmFile::Open(QFile::decodeName(pipe)).has_value(); });
    if (opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // A writer lets the stuck reader go, so that the test can end.
        QFile writer(QFile::decodeName(pipe));
        writer.open(QIODevice::WriteOnly);
        writer.close();
        opening.wait();
        FAIL() << "waited for something to be written to a pipe";
    }
    EXPECT_FALSE(opening.get());
}

TEST(HelpFileInPlace, BuiltFileCarriesTheHeaderGuidOfTheFormat) {
    QFile built(BuiltHelpFile());
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray guid = built.read(0x38).mid(0x28);
    EXPECT_EQ(guid.toHex(), "11fd017caa7bd0119e0c00a0c922e6ec");
    EXPECT_TRUE(ChmFile::Open(BuiltHelpFile()).has_value());
}

} // namespace
} // namespace kvarzel
