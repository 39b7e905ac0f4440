// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/registry_text.h"
#include "platform/settings/text_encoding.h"
#include "test_support/registry_test_files.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>

namespace kvarzel {
namespace {

using ::testing::ElementsAre;
using testing::ReadBytes;
using testing::TestData;

const std::string Product = "HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel";

RegistryValue Bytes(std::uint32_t type, std::vector<std::uint8_t> data) {
    return {type, data};
}

std::optional<RegistryValue> ValueOf(const RegistryHive& hive, const std::string& key,
                                     const std::string& name) {
    const RegistryKey* found = hive.Find(key);
    const RegistryValue* value = found != nullptr ? found->FindValue(name) : nullptr;
    return value != nullptr ? std::optional(*value) : std::nullopt;
}

std::vector<std::string> SubkeyNames(const RegistryKey& key) {
    std::vector<std::string> names;
    for (const RegistryKey* subkey : key.Subkeys())
        names.push_back(subkey->Name());
    return names;
}

std::string Section(const std::string& body) {
    return "REGEDIT4\n\n[" + Product + "]\n" + body;
}

// --- Reading ---------------------------------------------------------------

class EverySyntaxFile : public ::testing::Test {
protected:
    RegistryTextParse parsed = ParseRegistryText(ReadBytes(TestData("every_syntax.reg")));
    std::optional<RegistryValue> Value(const std::string& subkey, const std::string& name) {
        return ValueOf(parsed.Hive, Product + subkey, name);
    }
};

TEST_F(EverySyntaxFile, HasNoSkippedLine) {
    EXPECT_EQ(parsed.SkippedLines, 0u);
}

TEST_F(EverySyntaxFile, ReadsIntegersInEveryForm) {
    EXPECT_EQ(Value("", "PeasCount"), RegistryValue::Integer(25));
    EXPECT_EQ(Value("", "PeasRatio"), RegistryValue::Integer(0xFFFFFFFF));
    EXPECT_EQ(Value("\\Keys", "KeyBlack"), RegistryValue::Integer(0x4242));
    EXPECT_EQ(Value("\\Timer", "TimerEnabled"), RegistryValue::Integer(5));
    EXPECT_EQ(Value("\\Timer", "TimeInterval"), RegistryValue::Integer(2000));
}

TEST_F(EverySyntaxFile, KeepsEveryType) {
    EXPECT_EQ(Value("", ""), RegistryValue::Text("default value"));
    EXPECT_EQ(Value("\\Sounds", "BeepFrequency"), Bytes(RegistryType::Binary, {0x58, 2, 0, 0}));
    EXPECT_EQ(Value("\\Sounds", "BeepDuration"), RegistryValue::Text("40"));
    EXPECT_EQ(Value("\\Sounds", "Multi"), Bytes(7, {0x61, 0, 0, 0, 0, 0}));
}

TEST_F(EverySyntaxFile, DecodesUnicodeExpandableTextContinuedOverLines) {
    EXPECT_EQ(Value("\\Sounds", "WaveFilename"),
              RegistryValue::Text("/s\"A\".wav", RegistryType::ExpandableText));
}

TEST_F(EverySyntaxFile, UnescapesQuotedText) {
    EXPECT_EQ(Value("\\Sounds", "Escaped"), RegistryValue::Text("a \\ b \" c"));
}

TEST_F(EverySyntaxFile, AppliesRemovals) {
    EXPECT_EQ(Value("\\Sounds", "Gone"), std::nullopt);
    EXPECT_EQ(parsed.Hive.Find("HKEY_CURRENT_USER\\Software\\Tellumor\\Obsolete"), nullptr);
    EXPECT_THAT(SubkeyNames(*parsed.Hive.Find("HKEY_CURRENT_USER\\Software")),
                ElementsAre("Other", "Tellumor"));
}

TEST_F(EverySyntaxFile, ReadsTheSameFromUtf16) {
    const RegistryTextParse utf16 = ParseRegistryText(ReadBytes(TestData("corpus/utf16.reg")));
    EXPECT_EQ(utf16.SkippedLines, 0u);
    EXPECT_EQ(WriteRegistryText(utf16.Hive), WriteRegistryText(parsed.Hive));
}

TEST(RegistryTextReading, HeaderIsOptionalAndLineEndsDoNotMatter) {
    const std::string body = "[" + Product + "]\n\"A\"=dword:1\n; note\n\n\"B\" =  \"x\"\n";
    std::string crlf;
    for (char c : "REGEDIT4\n" + body)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string expected = WriteRegistryText(ParseRegistryText(body).Hive);
    for (const std::string& text : {"REGEDIT4\n" + body, crlf, "\xEF\xBB\xBF" + body}) {
        const RegistryTextParse parsed = ParseRegistryText(text);
        EXPECT_EQ(parsed.SkippedLines, 0u);
        EXPECT_EQ(WriteRegistryText(parsed.Hive), expected);
    }
    EXPECT_EQ(ValueOf(ParseRegistryText(body).Hive, Product, "b"), RegistryValue::Text("x"));
}

TEST(RegistryTextReading, AnsiExportKeepsTextBytesAsTheyAre) {
    const auto parsed = ParseRegistryText(Section("\"P\"=hex(2):25,41,25,00\n"));
    EXPECT_EQ(ValueOf(parsed.Hive, Product, "P"),
              RegistryValue::Text("%A%", RegistryType::ExpandableText));
}

TEST(RegistryTextReading, RootNamesAreSpelledCanonically) {
    const auto parsed = ParseRegistryText("[hkey_current_user\\Software]\n");
    EXPECT_THAT(SubkeyNames(parsed.Hive.Top()), ElementsAre("HKEY_CURRENT_USER"));
}

TEST(RegistryTextReading, LaterValueOfTheSameNameReplacesTheEarlier) {
    const auto parsed = ParseRegistryText(Section("\"A\"=dword:1\n\"a\"=dword:2\n"));
    EXPECT_EQ(ValueOf(parsed.Hive, Product, "A"), RegistryValue::Integer(2));
}

// Each line here is broken in its own way; the good value after it must still load.
TEST(RegistryTextReading, SkipsEachMalformedLineAndLoadsTheRest) {
    const std::vector<std::string> broken = {"\"A\"=dword:123456789",
                                             "\"A\"=dword:12x4",
                                             "\"A\"=dword:",
                                             "\"A\"=\"unterminated",
                                             "\"A\"=\"x\" trailing",
                                             "\"A\"=hex:1,,2",
                                             "\"A\"=hex:123",
                                             "\"A\"=hex:01,",
                                             "\"A\"=hex(zz):00",
                                             "\"A\"=hex(1)00",
                                             "\"A\"=hex(123456789):00",
                                             "\"A\"",
                                             "\"A\"=",
                                             "\"A\"=qword:1",
                                             "\"A\\\"=dword:1",
                                             "garbage",
                                             "=dword:1",
                                             "[HKEY_NOWHERE\\Software]",
                                             "[HKEY_CURRENT_USER\\\\x]",
                                             "[HKEY_CURRENT_USER\\x",
                                             "[]",
                                             "[HKEY_CURRENT_USER\\a\x01]",
                                             std::string("\"A\"=\"\0\xFF\"\x01", 9)};
    for (const std::string& line : broken) {
        const auto parsed =
            ParseRegistryText(Section(line + "\n[" + Product + "]\n\"Good\"=dword:7\n"));
        EXPECT_EQ(parsed.SkippedLines, 1u) << line;
        EXPECT_EQ(ValueOf(parsed.Hive, Product, "Good"), RegistryValue::Integer(7)) << line;
    }
}

TEST(RegistryTextReading, ValuesWithoutAKeyAreSkipped) {
    const auto parsed = ParseRegistryText("\"A\"=dword:1\n[HKEY_NOWHERE]\n\"B\"=dword:1\n"
                                          "[-" +
                                          Product + "]\n\"C\"=dword:1\n");
    EXPECT_EQ(parsed.SkippedLines, 4u);
    EXPECT_THAT(SubkeyNames(parsed.Hive.Top()), ElementsAre());
}

TEST(RegistryTextReading, CutOffFileKeepsEverythingBeforeTheCut) {
    const std::string text = Section("\"A\"=dword:00000001\n\"B\"=hex:01,02,\\\n  03,04\n");
    EXPECT_FALSE(ParseRegistryText(text).EndsMidLine);
    const auto cutInList = ParseRegistryText(text.substr(0, text.find("03,04")));
    EXPECT_EQ(cutInList.SkippedLines, 1u);
    EXPECT_EQ(ValueOf(cutInList.Hive, Product, "A"), RegistryValue::Integer(1));
    EXPECT_EQ(ValueOf(cutInList.Hive, Product, "B"), std::nullopt);
    // A list cut off before the next section leaves that section whole.
    const auto cutBeforeSection =
        ParseRegistryText(Section("\"B\"=hex:01,02,\\\n[" + Product + "\\Next]\n\"C\"=dword:3\n"));
    EXPECT_EQ(cutBeforeSection.SkippedLines, 1u);
    EXPECT_EQ(ValueOf(cutBeforeSection.Hive, Product + "\\Next", "C"), RegistryValue::Integer(3));
    EXPECT_EQ(ValueOf(cutBeforeSection.Hive, Product, "C"), std::nullopt);
    // A cut inside the digits still reads as a number; the missing line end tells.
    const auto cutInInteger = ParseRegistryText(text.substr(0, text.find("0001")));
    EXPECT_EQ(ValueOf(cutInInteger.Hive, Product, "A"), RegistryValue::Integer(0));
    EXPECT_TRUE(cutInInteger.EndsMidLine);
    EXPECT_FALSE(ParseRegistryText(text.substr(0, text.find("\"A\"")) + "  ").EndsMidLine);
}

void CollectValueNames(const RegistryKey& key, const std::string& path,
                       std::set<std::string>& names) {
    for (const auto& [name, value] : key.Values())
        names.insert(path + "|" + *name);
    for (const RegistryKey* subkey : key.Subkeys())
        CollectValueNames(*subkey, path + "\\" + subkey->Name(), names);
}

std::set<std::string> ValueNames(const RegistryHive& hive) {
    std::set<std::string> names;
    CollectValueNames(hive.Top(), "", names);
    return names;
}

TEST(RegistryTextReading, EveryCutOfAWrittenFileLoadsWithoutHarm) {
    const std::string text = ReadBytes(TestData("corpus/written.reg"));
    const std::set<std::string> whole = ValueNames(ParseRegistryText(text).Hive);
    ASSERT_EQ(whole.size(), 12u);
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const auto parsed = ParseRegistryText(text.substr(0, length));
        ASSERT_LE(parsed.SkippedLines, 1u) << length;
        // Nothing is invented: every value read is one of the whole file's.
        const std::set<std::string> names = ValueNames(parsed.Hive);
        EXPECT_TRUE(std::includes(whole.begin(), whole.end(), names.begin(), names.end()))
            << length;
    }
}

TEST(RegistryTextReading, BinaryGarbageBetweenGoodLines) {
    std::mt19937 random(7);
    std::string garbage;
    for (int index = 0; index < 4096; ++index)
        garbage += static_cast<char>(random() % 256 == '\n' ? 0 : random() % 256);
    const auto parsed = ParseRegistryText(Section("\"A\"=dword:1\n") + garbage + "\n[" + Product +
                                          "]\n\"B\"=dword:2\n");
    EXPECT_GE(parsed.SkippedLines, 1u);
    EXPECT_EQ(ValueOf(parsed.Hive, Product, "A"), RegistryValue::Integer(1));
    EXPECT_EQ(ValueOf(parsed.Hive, Product, "B"), RegistryValue::Integer(2));
}

TEST(RegistryTextReading, TenMegabyteLines) {
    const std::string longLine(10 << 20, 'x');
    const auto garbage =
        ParseRegistryText(Section("\"A\"=dword:1\n") + longLine + "\n\"B\"=dword:2\n");
    EXPECT_EQ(garbage.SkippedLines, 1u);
    EXPECT_EQ(ValueOf(garbage.Hive, Product, "B"), RegistryValue::Integer(2));

    std::string hexList = "\"Big\"=hex:";
    for (int index = 0; index < (10 << 20) / 3; ++index)
        hexList += "ab,";
    hexList += "cd\n";
    const auto big = ParseRegistryText(Section(hexList));
    EXPECT_EQ(big.SkippedLines, 0u);
    EXPECT_EQ(ValueOf(big.Hive, Product, "Big")->Data.size(), (10u << 20) / 3 + 1);
}

TEST(RegistryTextReading, KeyNamesAndDepthWithinTheRegistryLimits) {
    const std::string longest(MaxKeyNameLength, 'k');
    EXPECT_EQ(ParseRegistryText("[HKEY_CURRENT_USER\\" + longest + "]").SkippedLines, 0u);
    EXPECT_EQ(ParseRegistryText("[HKEY_CURRENT_USER\\" + longest + "k]").SkippedLines, 1u);
    std::string deep = "HKEY_CURRENT_USER";
    for (std::size_t depth = 1; depth < MaxKeyDepth; ++depth)
        deep += "\\d";
    EXPECT_EQ(ParseRegistryText("[" + deep + "]").SkippedLines, 0u);
    EXPECT_EQ(ParseRegistryText("[" + deep + "\\d]").SkippedLines, 1u);
}

// --- Writing ---------------------------------------------------------------

TEST(RegistryTextWriting, ReadsNaturally) {
    RegistryHive hive;
    RegistryKey* product = hive.Create(Product);
    product->SetValue("PeasCount", RegistryValue::Integer(10));
    product->SetValue("", RegistryValue::Text("x"));
    hive.Create(Product + "\\Sounds")
        ->SetValue("WaveFilename", RegistryValue::Text("C:\\\"a\".wav"));
    hive.Create(Product + "\\Empty");
    EXPECT_EQ(WriteRegistryText(hive),
              "REGEDIT4\n"
              "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel]\n"
              "\"PeasCount\"=dword:0000000a\n"
              "@=\"x\"\n"
              "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Empty]\n"
              "\n[HKEY_CURRENT_USER\\Software\\Tellumor\\Kvarzel\\Sounds]\n"
              "\"WaveFilename\"=\"C:\\\\\\\"a\\\".wav\"\n");
}

TEST(RegistryTextWriting, LongListsWrapWithinEightyColumns) {
    RegistryHive hive;
    hive.Create(Product)->SetValue(
        "Data", Bytes(RegistryType::Binary, std::vector<std::uint8_t>(300, 0xAB)));
    const std::string text = WriteRegistryText(hive);
    std::istringstream lines(text);
    int lineCount = 0;
    for (std::string line; std::getline(lines, line); ++lineCount)
        EXPECT_LE(line.size(), 80u) << line;
    EXPECT_GT(lineCount, 10);
}

// Values that a quoted string or dword: cannot hold exactly go out as hex lists.
TEST(RegistryTextWriting, EveryValueComesBackExactly) {
    const std::vector<RegistryValue> values = {
        RegistryValue::Integer(0),
        RegistryValue::Integer(0xFFFFFFFF),
        RegistryValue::Text(""),
        RegistryValue::Text("пробел \\ \"кавычки\" ; = [x]"),
        RegistryValue::Text("two\nlines\r"),
        Bytes(RegistryType::Text, {}),
        Bytes(RegistryType::Text, {'a', 0, 'b', 0}),
        Bytes(RegistryType::Text, {'n', 'o', 'z', 'e', 'r', 'o'}),
        RegistryValue::Text("%PATH%", RegistryType::ExpandableText),
        Bytes(RegistryType::Integer, {1, 2}),
        Bytes(RegistryType::Binary, {}),
        Bytes(0xFFFFFFFF, {0, 1, 0xFF}),
        Bytes(RegistryType::None, std::vector<std::uint8_t>(1000, 0x5C)),
    };
    const std::vector<std::string> names = {"", "\\", "\"", "a b", "=;[", "Ω", "\x01\t"};
    RegistryHive hive;
    RegistryKey* key = hive.Create(Product + "\\x]y\\ spaced ");
    for (std::size_t index = 0; index < values.size(); ++index)
        key->SetValue(names[index % names.size()] + std::to_string(index), values[index]);
    const std::string text = WriteRegistryText(hive);
    const RegistryTextParse parsed = ParseRegistryText(text);
    EXPECT_EQ(parsed.SkippedLines, 0u);
    for (std::size_t index = 0; index < values.size(); ++index)
        EXPECT_EQ(ValueOf(parsed.Hive, Product + "\\x]y\\ spaced ",
                          names[index % names.size()] + std::to_string(index)),
                  values[index])
            << index;
    EXPECT_EQ(WriteRegistryText(parsed.Hive), text);
}

TEST(RegistryTextWriting, HandWrittenFileRoundTripsOnceWritten) {
    for (const char* name : {"every_syntax.reg", "corpus/utf16.reg", "corpus/damaged.reg"}) {
        const std::string first =
            WriteRegistryText(ParseRegistryText(ReadBytes(TestData(name))).Hive);
        const RegistryTextParse again = ParseRegistryText(first);
        EXPECT_EQ(again.SkippedLines, 0u) << name;
        EXPECT_EQ(WriteRegistryText(again.Hive), first) << name;
    }
}

// --- The hive --------------------------------------------------------------

TEST(RegistryHive, NamesMatchWithoutRegardToCase) {
    RegistryHive hive;
    RegistryKey* key = hive.Create("HKEY_CURRENT_USER\\Software\\Tellumor");
    EXPECT_EQ(hive.Find("hkey_current_user\\SOFTWARE\\tellumor"), key);
    EXPECT_EQ(hive.Create("HKEY_CURRENT_USER\\SOFTWARE\\TELLUMOR"), key);
    key->SetValue("First", RegistryValue::Integer(1));
    key->SetValue("Second", RegistryValue::Integer(2));
    key->SetValue("FIRST", RegistryValue::Integer(3));
    const auto values = key->Values();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(*values[0].first, "First");
    EXPECT_EQ(*values[0].second, RegistryValue::Integer(3));
    EXPECT_EQ(*values[1].first, "Second");
}

TEST(RegistryHive, SubkeysComeInTheRegistryOrder) {
    RegistryHive hive;
    for (const char* name : {"_x", "b", "A", "c"})
        hive.Create(std::string("HKEY_CURRENT_USER\\") + name);
    EXPECT_THAT(SubkeyNames(*hive.Find("HKEY_CURRENT_USER")), ElementsAre("A", "b", "c", "_x"));
}

TEST(RegistryHive, DeleteTakesEverythingBelow) {
    RegistryHive hive;
    hive.Create("HKEY_CURRENT_USER\\a\\b\\c");
    hive.Create("HKEY_CURRENT_USER\\a2");
    EXPECT_TRUE(hive.Delete("HKEY_CURRENT_USER\\A"));
    EXPECT_EQ(hive.Find("HKEY_CURRENT_USER\\a\\b\\c"), nullptr);
    EXPECT_NE(hive.Find("HKEY_CURRENT_USER\\a2"), nullptr);
    EXPECT_FALSE(hive.Delete("HKEY_CURRENT_USER\\a"));
    EXPECT_FALSE(hive.Delete("HKEY_CURRENT_USER\\"));
}

TEST(RegistryHive, InvalidPathsAreRefused) {
    RegistryHive hive;
    for (const std::string& path :
         std::vector<std::string>{"", "a\\", "\\a", "a\\\\b", "a\\b\nc", std::string(256, 'n')})
        EXPECT_EQ(hive.Create(path), nullptr) << path;
}

TEST(TextEncoding, Utf16ToUtf8) {
    EXPECT_EQ(Utf16LeToUtf8(std::string("A\0\x16\x04", 4)), "A\xD0\x96");
    EXPECT_EQ(Utf16LeToUtf8(std::string("\x3D\xD8\x00\xDE", 4)), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16LeToUtf8(std::string("\x3D\xD8"
                                        "A\0",
                                        4)),
              "\xEF\xBF\xBD"
              "A");
    EXPECT_EQ(Utf16LeToUtf8(std::string("A\0B", 3)), "A\xEF\xBF\xBD");
}

} // namespace
} // namespace kvarzel
