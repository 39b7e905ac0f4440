// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/history_csv.h"
#include "core/history/journal_text.h"
#include "core/history/line_check.h"
#include "test_support/history_test_records.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cstring>
#include <limits>
#include <random>

namespace kvarzel {
namespace {

using testing::TrainingSoFar;
using Kind = ReadHeading::Kind;

// Any path, commas, line ends and bytes that are no UTF-8 included, reads
// back as written.
TEST(JournalTextTest, TheHeadingNamesAnyPathAndReadsItBack) {
    const std::string paths[] = {
        "/home/u/.local/share/Tellumor/Kvarzel/history.csv",
        "/tmp/a,b/история 1/%41/history.csv",
        std::string("/x\n,\r\0\xFF/h.csv", 13),
        "/" + std::string(4095, ','),
    };
    for (const std::string& path : paths) {
        const std::string heading = JournalHeading(path);
        EXPECT_LE(heading.size(), LongestJournalHeading);
        EXPECT_EQ(std::count(heading.begin(), heading.end(), '\n'), 1);
        const ReadHeading read = ReadJournalHeading(heading + HistoryLine(TrainingSoFar(1, 2)));
        EXPECT_EQ(read.State, Kind::Named) << path;
        EXPECT_EQ(read.History, path);
    }
}

// A heading cut at any byte, or changed at any byte, names no history.
TEST(JournalTextTest, AHeadingCutOrChangedAnywhereNamesNothing) {
    const std::string heading = JournalHeading("/data/history.csv");
    for (std::size_t cut = 0; cut < heading.size(); ++cut) {
        EXPECT_EQ(ReadJournalHeading(heading.substr(0, cut)).State, Kind::None) << cut;
        EXPECT_EQ(ReadJournalHeading(heading.substr(0, cut) + std::string(40, '\0')).State,
                  Kind::None)
            << cut;
        std::string changed = heading;
        changed[cut] = changed[cut] == 'x' ? 'y' : 'x';
        EXPECT_NE(ReadJournalHeading(changed).State, Kind::Named) << cut;
    }
    // A journal of the older layout starts with a training.
    EXPECT_EQ(ReadJournalHeading(HistoryLine(TrainingSoFar(1, 2))).State, Kind::None);
}

// A whole heading of a form this version does not know is another
// program's: left alone rather than taken for none.
TEST(JournalTextTest, AWholeHeadingOfAnotherFormIsForeign) {
    for (const std::string content :
         {"kvarzel_journal,2,/data/history.csv", "kvarzel_journal,1,relative/history.csv",
          "kvarzel_journal,1,/data/%4", "kvarzel_journal,1,/data/%zz", "kvarzel_journal,1,/a,b",
          "kvarzel_journal,1,"})
        EXPECT_EQ(ReadJournalHeading(WithLineCheck(content) + "\n").State, Kind::Foreign)
            << content;
}

double RandomDouble(std::mt19937_64& random) {
    double value = 0;
    do
        value = std::bit_cast<double>(random());
    while (!std::isfinite(value));
    return value;
}

// The room for a training's lines is worked out from the longest line the
// format can write: no record, whatever its numbers, writes a longer one,
// and even that one is read back whole.
TEST(JournalTextTest, NoLineIsLongerThanTheLongestTheFormatCanWrite) {
    std::mt19937_64 random(7);
    const auto integer = [&] { return static_cast<std::int32_t>(random()); };
    std::size_t longest = 0;
    for (int n = 0; n < 20000; ++n) {
        TrainingRecord record = TrainingSoFar(3, 5);
        record.PeasCount = integer();
        record.PeasRatio = integer();
        record.TimeInterval = integer();
        record.Bucket = {n % 2 == 0, integer()};
        record.Answers = {integer(), integer(), integer()};
        record.RightCount = integer();
        record.Percentage = RandomDouble(random);
        EvidenceTrack evidence;
        evidence.Total.ExpectedRight = RandomDouble(random);
        evidence.Total.RightVariance = RandomDouble(random);
        evidence.LogPeakWealth = RandomDouble(random);
        for (double& wealth : evidence.Total.LogWealth)
            wealth = RandomDouble(random);
        record.Evidence = evidence;
        record.Start = TrainingStart{std::chrono::system_clock::time_point{} +
                                         std::chrono::milliseconds{random() % (1LL << 42)},
                                     TrainingId{{random(), random()}}};
        record.Finished = record.Start->Moment + std::chrono::milliseconds{random() % 100000};
        longest = std::max(longest, HistoryLine(record).size());
    }
    EXPECT_LE(longest, LongestHistoryLine());
    EXPECT_GT(longest + 40, LongestHistoryLine()) << "the bound is far above any line";
    EXPECT_LT(LongestHistoryLine(), MaxHistoryLineLength);
    EXPECT_EQ(JournalRoom(100, 9), 100 + 10 * (LongestHistoryLine() + 1));
    EXPECT_EQ(MaxJournalSize(), JournalRoom(LongestJournalHeading, MaxTrainingPeas));
}

// Zero bytes after the last line are room reserved for lines to come, also
// where a cut left a line without its end.
TEST(JournalTextTest, ZeroBytesAfterTheLastLineAreRoom) {
    const std::string heading = JournalHeading("/data/history.csv");
    const std::string first = HistoryLine(TrainingSoFar(1, 4));
    const std::string second = HistoryLine(TrainingSoFar(2, 4));
    const std::string room(100000, '\0');
    EXPECT_EQ(ParseJournalText(heading + first + second + room), TrainingSoFar(2, 4));
    EXPECT_EQ(ParseJournalText(heading + first + second.substr(0, second.size() - 1) + room),
              TrainingSoFar(2, 4));
    EXPECT_EQ(ParseJournalText(heading + first + second.substr(0, 50) + room),
              TrainingSoFar(1, 4));
    EXPECT_EQ(ParseJournalText(heading + room), std::nullopt);
}

} // namespace
} // namespace kvarzel
