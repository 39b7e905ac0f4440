// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/history_csv.h"
#include "core/history/line_check.h"
#include "core/training.h"
#include "test_support/history_test_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

namespace kvarzel {
namespace {

using namespace std::chrono;

// Three peas, two black: a timer answer, then a right white and a right black guess.
TrainingRecord Sample() {
    TrainingRecord record;
    record.Finished = sys_days{2026y / 12 / 7} + hours{10} + minutes{31} + seconds{8};
    record.PeasCount = 3;
    record.PeasRatio = 10;
    record.TimerEnabled = true;
    record.TimeInterval = 1500;
    record.Bucket = {false, 2};
    record.Answers = {1, 1, 1};
    record.RightCount = 2;
    record.Percentage = ExactPercentage(2, 3);
    EvidenceTrack evidence;
    evidence.AddGuess(0.5, true);
    evidence.AddGuess(1.0 / 3.0, true);
    evidence.Read();
    record.Evidence = evidence;
    return record;
}

TrainingRecord Abandoned() {
    TrainingRecord record = Sample();
    record.PeasCount = 10;
    record.PeasRatio = 0;
    record.Bucket = {true, 0};
    record.Abandoned = true;
    record.Percentage = ExactPercentage(2, 3);
    return record;
}

std::string WithLine(const std::string& line) {
    return HistoryHeaderLine() + HistoryLine(Sample()) + line;
}

constexpr std::string_view OlderHeader =
    "finished_utc,peas_count,peas_ratio,timer_enabled,time_interval_ms,black_peas,white_answers,"
    "black_answers,timer_answers,right_answers,percentage,chance_percent\n";

using testing::PreviousHeader;
using testing::PreviousLine;
using testing::SixBetRecord;
using testing::WithoutLastColumns;

// The version before this one: seven bets and the check, no timing.
constexpr std::string_view UntimedHeader =
    "finished_utc,peas_count,peas_ratio,timer_enabled,time_interval_ms,black_peas,"
    "white_answers,black_answers,timer_answers,right_answers,percentage,abandoned,"
    "expected_right,right_variance,ln_peak_wealth,ln_wealth_edge_0.15,"
    "ln_wealth_edge_0.25,ln_wealth_edge_0.35,ln_wealth_edge_0.5,ln_wealth_edge_0.7,"
    "ln_wealth_edge_1,ln_wealth_edge_2,line_check\n";
// Sample() as that version wrote it.
constexpr std::string_view UntimedSampleLine =
    "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,0.8333333333333333,"
    "0.4722222222222222,0.6302641503132316,0.16965010567986502,0.2767501182372924,"
    "0.3790094465197671,0.5233057156303051,0.6988467793723805,0.9270530677777812,"
    "1.425286691963198,2105dde5\n";

// Sample() as this version plays it: ended at 10:31:08.125, 68.75 s after its start.
TrainingRecord TimedSample() {
    TrainingRecord record = Sample();
    record.Finished += milliseconds{125};
    record.Start = TrainingStart{record.Finished - milliseconds{68'750},
                                 TrainingId{{0x0123456789abcdefULL, 0xfedcba9876543210ULL}}};
    return record;
}

std::string WithPreviousLine(const std::string& line) {
    return std::string(PreviousHeader) + PreviousLine(Sample()) + line;
}

bool EndsInItsCheck(std::string_view line) {
    const std::string_view check = line.substr(line.rfind(',') + 1);
    return check.size() == 9 && check.back() == '\n' &&
           check.substr(0, 8).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

TEST(HistoryCsvTest, HeaderNamesEveryColumnAndTheBetsByTheirEdges) {
    std::string untimed(UntimedHeader);
    untimed.insert(untimed.size() - std::string_view(",line_check\n").size(),
                   ",started_utc_ms,finished_utc_ms,training_id");
    EXPECT_EQ(HistoryHeaderLine(), untimed);
    std::string previous(PreviousHeader);
    previous.insert(previous.size() - 1, ",ln_wealth_edge_2,line_check");
    EXPECT_EQ(UntimedHeader, previous);
}

TEST(HistoryCsvTest, LineCarriesTheTrainingAndItsEvidence) {
    const std::string line = HistoryLine(TimedSample());
    EXPECT_EQ(line.substr(0, 65),
              "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,0.");
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 25);
    EXPECT_EQ(WithoutLastColumns(line, 1).substr(line.find(",1.425286691963198,")),
              ",1.425286691963198,2026-12-07T10:29:59.375Z,2026-12-07T10:31:08.125Z,"
              "0123456789abcdeffedcba9876543210");
    EXPECT_TRUE(EndsInItsCheck(line)) << line;
    TrainingRecord older = Abandoned();
    older.Evidence.reset();
    const std::string olderLine = HistoryLine(older);
    EXPECT_EQ(olderLine.substr(0, olderLine.rfind(',')),
              "2026-12-07T10:31:08Z,10,0,1,1500,,1,1,1,2,66.66666666666667,1,,,,,,,,,,,,,");
    EXPECT_TRUE(EndsInItsCheck(olderLine)) << olderLine;
    // Any change to a line fails its check.
    std::string changed = line;
    changed[2] = '1';
    EXPECT_EQ(ParseHistoryLine(std::string_view(changed).substr(0, changed.size() - 1)),
              std::nullopt);
}

TEST(HistoryCsvTest, ReadsBackWhatItWrites) {
    TrainingRecord noEvidence = Sample();
    noEvidence.Evidence.reset();
    // Abandoned during the sounds of its last answer: every pea answered.
    TrainingRecord abandonedAtTheLast = Sample();
    abandonedAtTheLast.Abandoned = true;
    const std::vector<TrainingRecord> records{Sample(), Abandoned(), noEvidence,
                                              abandonedAtTheLast, TimedSample()};
    std::string text = HistoryHeaderLine();
    for (const TrainingRecord& record : records)
        text += HistoryLine(record);
    const ParsedHistory parsed = ParseHistory(text);
    ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
    EXPECT_EQ(parsed.Records, records);
    EXPECT_FALSE(parsed.OlderFormat);
    EXPECT_EQ(parsed.DataEnd, text.size());
    EXPECT_FALSE(parsed.DataEndsMidLine);
    // Lines ended the Windows way, or a last line without its end, read as well.
    std::string windows = HistoryHeaderLine() + HistoryLine(Sample());
    windows.insert(windows.find('\n'), "\r");
    windows.pop_back();
    const ParsedHistory unended = ParseHistory(windows);
    EXPECT_EQ(unended.Records, std::vector<TrainingRecord>{Sample()});
    EXPECT_TRUE(unended.DataEndsMidLine);
    EXPECT_EQ(ParseHistory("").Status, ParsedHistory::Kind::Empty);
    EXPECT_EQ(ParseHistory(HistoryHeaderLine()).Status, ParsedHistory::Kind::Ours);
}

// The settings file is the user's to edit, and a training keeps its timer
// interval as read from there; a line the program wrote must read back, or
// the history would count as damaged and take no more trainings. The same for
// a clock set before 1970.
TEST(HistoryCsvTest, ReadsBackAnyIntervalTheSettingsHeldAndAnyTime) {
    for (const std::int32_t interval : {-1, 0, std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max()}) {
        TrainingRecord record = Sample();
        record.TimeInterval = interval;
        const std::string line = HistoryLine(record);
        EXPECT_EQ(ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1)), record)
            << interval;
    }
    TrainingRecord early = Sample();
    early.Finished = system_clock::time_point{} - hours{1} + milliseconds{5};
    const ParsedHistory parsed = ParseHistory(HistoryHeaderLine() + HistoryLine(early));
    ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
    EXPECT_EQ(parsed.Records.front().Finished, system_clock::time_point{});
    EXPECT_EQ(parsed.Records.front(), AsStoredInHistory(early));
}

// Russian, the program's language, writes "66,6667" where C writes
// "66.6667"; German the same. Qt sets the user's locale at start.
TEST(HistoryCsvTest, NumbersDoNotDependOnTheUsersLocale) {
    const std::string inC = WithLine(HistoryLine(Abandoned()));
    for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr)
            << name << " is generated by the build; is LOCPATH set?";
        std::locale::global(std::locale(name));
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        const std::string text = WithLine(HistoryLine(Abandoned()));
        EXPECT_EQ(text, inC) << name;
        const ParsedHistory parsed = ParseHistory(text);
        EXPECT_EQ(parsed.Status, ParsedHistory::Kind::Ours) << name;
        EXPECT_EQ(parsed.Records, (std::vector<TrainingRecord>{Sample(), Abandoned()})) << name;
    }
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
}

TEST(HistoryCsvTest, OlderLinesReadWithoutEvidenceTheirChanceDropped) {
    const std::string text =
        std::string(OlderHeader) +
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,33.3333\n"
        "2026-12-07T10:32:00Z,4,0,0,1000,,4,0,0,4,100,1.00247e-3008\n"
        "2026-12-07T10:33:00Z,4,0,0,1000,,4,0,0,0,0,\n";
    const ParsedHistory parsed = ParseHistory(text);
    ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
    EXPECT_TRUE(parsed.OlderFormat);
    ASSERT_EQ(parsed.Records.size(), 3U);
    TrainingRecord first = Sample();
    first.Evidence.reset();
    EXPECT_EQ(parsed.Records[0], first);
    for (const TrainingRecord& record : parsed.Records) {
        EXPECT_FALSE(record.Evidence);
        EXPECT_FALSE(record.Abandoned);
    }
    const std::string older = "2026-12-07T10:33:00Z,4,0,0,1000,,4,0,0,0,0,\n";
    for (const std::string chance : {"nan", "inf", "abc", "1,5", "-"}) {
        const ParsedHistory bad =
            ParseHistory(std::string(OlderHeader) + "2026-12-07T10:32:00Z,4,0,0,1000,,4,0,0,4,100," +
                         chance + "\n" + older);
        EXPECT_EQ(bad.Status, ParsedHistory::Kind::Damaged) << chance;
    }
    // A line of the current format is no line of the older file, nor the other way round.
    EXPECT_EQ(ParseHistory(std::string(OlderHeader) + HistoryLine(Sample()) + older).Status,
              ParsedHistory::Kind::Damaged);
}

// Lines of the previous format keep their evidence, the strong bet it
// lacked at one, and the file is marked for writing again in the current
// format; lines of either format belong to their own header only.
TEST(HistoryCsvTest, PreviousLinesReadWithTheMissingBetAtOne) {
    TrainingRecord noEvidence = Abandoned();
    noEvidence.Evidence.reset();
    const ParsedHistory parsed = ParseHistory(std::string(PreviousHeader) +
                                              PreviousLine(Sample()) + PreviousLine(noEvidence));
    ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
    EXPECT_TRUE(parsed.OlderFormat);
    ASSERT_EQ(parsed.Records.size(), 2U);
    EXPECT_EQ(parsed.Records[0].Evidence->Total.LogWealth.back(), 0.0);
    EXPECT_EQ(parsed.Records[0], SixBetRecord(Sample()));
    EXPECT_EQ(parsed.Records[1], noEvidence);
    EXPECT_EQ(ParseHistory(std::string(PreviousHeader) + HistoryLine(Sample()) +
                           PreviousLine(Sample()))
                  .Status,
              ParsedHistory::Kind::Damaged);
    EXPECT_EQ(
        ParseHistory(HistoryHeaderLine() + PreviousLine(Sample()) + HistoryLine(Sample())).Status,
        ParsedHistory::Kind::Damaged);
}

// The version before this one wrote no timing: its files and journals are
// read, their lines without a start, and the file is written again.
TEST(HistoryCsvTest, UntimedLinesOfTheVersionBeforeAreRead) {
    const ParsedHistory parsed =
        ParseHistory(std::string(UntimedHeader) + std::string(UntimedSampleLine));
    ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
    EXPECT_TRUE(parsed.OlderFormat);
    EXPECT_EQ(parsed.Records, std::vector<TrainingRecord>{AsStoredInHistory(Sample())});
    EXPECT_EQ(ParseJournalText(UntimedSampleLine), AsStoredInHistory(Sample()));
    // A line of the other format, with a line of the file's own after it.
    EXPECT_EQ(ParseHistory(std::string(UntimedHeader) + HistoryLine(TimedSample()) +
                           std::string(UntimedSampleLine))
                  .Status,
              ParsedHistory::Kind::Damaged);
    EXPECT_EQ(ParseHistory(HistoryHeaderLine() + std::string(UntimedSampleLine) +
                           HistoryLine(TimedSample()))
                  .Status,
              ParsedHistory::Kind::Damaged);
}

// The timing columns are all there and agree with the line, or all empty.
TEST(HistoryCsvTest, TimingThatDisagreesWithItsLineIsNotRead) {
    const std::string line = HistoryLine(TimedSample());
    const std::string head = WithoutLastColumns(line, 4) + ",";
    const std::string id = "0123456789abcdeffedcba9876543210";
    for (const std::string& timing : std::vector<std::string>{
             "2026-12-07T10:31:08.126Z,2026-12-07T10:31:08.125Z," + id, // starts after its end
             "2026-12-07T10:29:59.375Z,2026-12-07T10:31:09.125Z," + id, // not the line's second
             "2026-12-07T10:29:59.375Z,2026-12-07T10:31:08.125Z,",      // no id
             "2026-12-07T10:29:59.375Z,2026-12-07T10:31:08.125Z," + id.substr(1),
             "2026-12-07T10:29:59.375Z,2026-12-07T10:31:08.125Z," + id + "0",
             "2026-12-07T10:29:59.375Z,2026-12-07T10:31:08.125Z,0123456789ABCDEFfedcba9876543210",
             ",2026-12-07T10:31:08.125Z," + id,                          // partly empty
             "2026-12-07T10:29:59.375,2026-12-07T10:31:08.125Z," + id,  // no zone
             "2026-12-07T10:29:59.3755Z,2026-12-07T10:31:08.125Z," + id, // four digits
             "2026-12-07T10:29:59Z,2026-12-07T10:31:08.125Z," + id,     // to the second
             "1969-12-31T23:59:59.999Z,2026-12-07T10:31:08.125Z," + id,  // before 1970
         }) {
        // The line with its check right, as a hand could write it.
        const std::string content = head + timing;
        EXPECT_FALSE(ParseHistoryLine(content + "," + LineCheckText(content))) << timing;
    }
    const std::string good = head + "2026-12-07T10:29:59.375Z,2026-12-07T10:31:08.125Z," + id;
    EXPECT_EQ(good + "," + LineCheckText(good) + "\n", line);
    EXPECT_EQ(ParseHistoryLine(good + "," + LineCheckText(good)),
              AsStoredInHistory(TimedSample()));
}

TEST(HistoryCsvTest, ForeignAndDamagedTextsAreToldApart) {
    EXPECT_EQ(ParseHistory("date,score\n2026-01-01,5\n").Status, ParsedHistory::Kind::Foreign);
    EXPECT_EQ(ParseHistory(std::string("\xEF\xBB\xBF") + HistoryHeaderLine()).Status,
              ParsedHistory::Kind::Foreign);
    const std::string evidence = ",0.8333333333333333,0.4722222222222222,0.3";
    const std::string wealth = ",0.1,0.1,0.1,0.1,0.1,0.1";
    const std::string start = "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,";
    const std::vector<std::string> damaged{
        start + "0" + evidence + wealth.substr(4),                   // a field short
        start + "0" + evidence + wealth + ",0.1",                    // a field more
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,3,100,0,,,,,,,,,", // more right than guesses
        "2026-12-07T10:31:08Z,3,10,1,1500,,1,1,1,2,66.66666666666667,0,,,,,,,,,",  // chance at 10
        "2026-12-07T10:31:08Z,3,20,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,", // exact at 20
        "2026-12-07T10:31:08Z,4,10,1,1500,2,1,1,1,2,50,0,,,,,,,,,", // answers do not add up
        "2026-12-07T10:31:08Z,3,10,1,1500,1,1,1,1,2,66.66666666666667,0,,,,,,,,,", // black peas
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.6,0,,,,,,,,,", // not the counts' percentage
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666666,0,,,,,,,,,", // nor this
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,166.6,0,,,,,,,,,",             // beyond 100 %
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,nan,0,,,,,,,,,",               // not a number
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66,66666666666667,0,,,,,,,,,", // decimal comma
        "2026-12-07T10:31:08Z,99999,10,1,1500,2,1,1,1,2,50,0,,,,,,,,,",            // too many peas
        "2026-12-07T10:31:08Z,3,10,1,1500,2,0,0,0,0,0,1,,,,,,,,,",   // abandoned unanswered
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,0,2,100,0,,,,,,,,,", // finished, a pea short
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,2,,,,,,,,,", // not 0 or 1
        // Evidence: partly there, not finite, or more than the guesses allow.
        start + "0,1,0.4,,,,,,,",
        start + "0,inf,0.4,0.3" + wealth,
        start + "0,nan,0.4,0.3" + wealth,
        start + "0,2.5,0.4,0.3" + wealth,               // more expected right than guesses
        start + "0,-0.5,0.4,0.3" + wealth,              // fewer than none
        start + "0,1,0.6,0.3" + wealth,                 // a variance beyond guesses / 4
        start + "0,1,0.4,-0.1" + wealth,                // a peak below the start
        start + "0,1,0.4,4.1" + wealth,                 // a peak beyond the right answers' edges
        start + "0,1,0.4,0.3,0.31,0.1,0.1,0.1,0.1,0.1", // wealth beyond edge 0.15 x 2
        start + "0,1,0.4,0.3,0.1,0.1,0.1,0.1,0.1,-0.1", // wrong guesses: none, so no loss
        // Dates: none before 1970, none the clock cannot hold, no such day or time.
        "1013-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "10000-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "1969-12-31T23:59:59Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "2262-04-11T23:47:17Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "9999-12-31T23:59:59Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "2026-02-30T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "2026-12-07T24:00:00Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "2026-12-07 10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
        "2026-1a-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,",
    };
    // Lines of the format before the check, which a hand can write.
    for (const std::string& line : damaged) {
        const ParsedHistory parsed =
            ParseHistory(WithPreviousLine(line + "\n" + PreviousLine(Sample())));
        EXPECT_EQ(parsed.Status, ParsedHistory::Kind::Damaged) << line;
        EXPECT_EQ(parsed.BadLine, 3) << line;
        EXPECT_EQ(parsed.Records.size(), 1U) << line;
    }
    // The edges of what the clock holds, and a line of the same shape that is
    // a possible training, read.
    for (const std::string date : {"1970-01-01T00:00:00Z", "2262-04-11T23:47:16Z"}) {
        const std::string line = date + ",3,10,1,1500,2,1,1,1,2,66.66666666666667,0,,,,,,,,,\n";
        EXPECT_EQ(ParseHistory(WithPreviousLine(line)).Status, ParsedHistory::Kind::Ours) << date;
    }
    EXPECT_EQ(ParseHistory(WithPreviousLine(start + "0,1,0.4,0.3" + wealth + "\n")).Status,
              ParsedHistory::Kind::Ours);
    // Such a line, without its check, is no line of the current format.
    EXPECT_EQ(
        ParseHistory(WithLine(start + "0,1,0.4,0.3" + wealth + "\n" + HistoryLine(Sample()))).Status,
        ParsedHistory::Kind::Damaged);
}

TEST(HistoryCsvTest, BlankLinesAtTheEndAreIgnoredInTheMiddleDamaged) {
    const std::string text = WithLine(HistoryLine(Abandoned()));
    for (const std::string end : {"\n", "\n\n", "\r\n\r\n\n"}) {
        const ParsedHistory parsed = ParseHistory(text + end);
        EXPECT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
        EXPECT_EQ(parsed.Records.size(), 2U);
        EXPECT_EQ(parsed.DataEnd, text.size()) << "a new line goes before the blank ones";
    }
    const ParsedHistory middle = ParseHistory(WithLine("\n\n" + HistoryLine(Sample())));
    EXPECT_EQ(middle.Status, ParsedHistory::Kind::Damaged);
    EXPECT_EQ(middle.BadLine, 3);
}

// A crash, a kill or a power cut in the middle of an append leaves the start
// of a line at the end. Cut at every byte, a history never reads a line that
// was not written whole: the records are always the first lines as written.
// The format before the check cannot tell a line cut in its last number, so
// there a last line without its end is left out.
TEST(HistoryCsvTest, AHistoryCutAtAnyByteReadsOnlyWholeLines) {
    const std::vector<TrainingRecord> records{Sample(), Abandoned(), Sample()};
    for (const bool previous : {false, true}) {
        std::string text = previous ? std::string(PreviousHeader) : HistoryHeaderLine();
        std::vector<std::size_t> lineEnds;
        for (const TrainingRecord& record : records) {
            text += previous ? PreviousLine(record) : HistoryLine(record);
            lineEnds.push_back(text.size());
        }
        for (std::size_t cut = HistoryHeaderLine().size() / 2; cut <= text.size(); ++cut) {
            const ParsedHistory parsed = ParseHistory(std::string_view(text).substr(0, cut));
            const auto whole = static_cast<std::size_t>(
                std::upper_bound(lineEnds.begin(), lineEnds.end(), cut) - lineEnds.begin());
            ASSERT_LE(parsed.Records.size(), records.size()) << cut;
            EXPECT_TRUE(std::equal(parsed.Records.begin(), parsed.Records.end(), records.begin(),
                                   [previous](const TrainingRecord& read, const TrainingRecord& r) {
                                       return read == (previous ? SixBetRecord(r) : r);
                                   }))
                << previous << " " << cut;
            // Only the line without just its line end may be read besides the whole ones.
            const bool lacksOnlyItsEnd =
                !previous && whole < lineEnds.size() && cut + 1 == lineEnds[whole];
            EXPECT_EQ(parsed.Records.size(), whole + (lacksOnlyItsEnd ? 1 : 0))
                << previous << " " << cut;
            EXPECT_NE(parsed.Status, ParsedHistory::Kind::Damaged) << previous << " " << cut;
        }
    }
    // Zero bytes, or anything else, after the last line is the tail, and damage.
    const std::string whole = WithLine("");
    for (const std::string& tail : {std::string(20, '\0'), std::string("hello")}) {
        const ParsedHistory parsed = ParseHistory(whole + tail);
        EXPECT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
        EXPECT_EQ(parsed.DataEnd, whole.size());
        EXPECT_TRUE(parsed.DamagedTail);
    }
}

// A journal cut at any byte gives the last state written whole, or nothing.
TEST(HistoryCsvTest, AJournalCutAtAnyByteGivesItsLastWholeLine) {
    std::vector<TrainingRecord> states;
    std::string journal;
    std::vector<std::size_t> lineEnds;
    for (int answered = 1; answered <= 3; ++answered) {
        TrainingRecord state = Abandoned();
        state.Answers = {answered, 0, 0};
        state.RightCount = answered - 1;
        state.Percentage = ExactPercentage(state.RightCount, answered);
        state.Evidence.reset();
        state.Abandoned = answered < 3 || state.PeasCount != 3;
        states.push_back(state);
        journal += HistoryLine(state);
        lineEnds.push_back(journal.size());
    }
    for (std::size_t cut = 0; cut <= journal.size(); ++cut) {
        const auto whole = std::upper_bound(lineEnds.begin(), lineEnds.end(), cut + 1) -
                           lineEnds.begin();
        const std::optional<TrainingRecord> last = ParseJournalText(journal.substr(0, cut));
        if (whole == 0)
            EXPECT_EQ(last, std::nullopt) << cut;
        else
            EXPECT_EQ(last, states[static_cast<std::size_t>(whole - 1)]) << cut;
    }
    // A piece left by a failed write, then a line of its own, reads past it.
    EXPECT_EQ(ParseJournalText(journal.substr(0, 40) + "\n" + HistoryLine(states[0])), states[0]);
}

// A line of commas hundreds of megabytes long must cost no memory: it is
// passed over as soon as it passes the limit, never split. Followed by a
// training, it is damage in the middle; at the end, it is the tail.
TEST(HistoryCsvTest, ALineBeyondTheLimitIsPassedOverWithoutBeingSplit) {
    for (const bool trainingAfter : {true, false}) {
        HistoryParser parser;
        parser.Feed(WithLine(""));
        parser.Feed(std::string(MaxHistoryLineLength, ','));
        parser.Feed(",");
        for (int block = 0; block < 64; ++block)
            parser.Feed(std::string(1 << 16, ','));
        EXPECT_FALSE(parser.Stopped());
        if (trainingAfter)
            parser.Feed("\n" + HistoryLine(Abandoned()));
        const ParsedHistory parsed = parser.Finish();
        EXPECT_EQ(parsed.Status,
                  trainingAfter ? ParsedHistory::Kind::Damaged : ParsedHistory::Kind::Ours);
        EXPECT_EQ(parsed.BadLine, trainingAfter ? 3 : 0);
        EXPECT_EQ(parsed.DamagedTail, !trainingAfter);
        EXPECT_EQ(parsed.Records.size(), 1U);
        EXPECT_EQ(parsed.DataEnd, WithLine("").size());
    }
    EXPECT_EQ(ParseHistory(std::string(MaxHistoryLineLength + 1, 'x')).Status,
              ParsedHistory::Kind::Foreign);
}

// A file is read in blocks, which split lines anywhere.
TEST(HistoryCsvTest, PiecesReadAsTheWholeText) {
    const std::string texts[] = {
        WithLine(HistoryLine(Abandoned()) + "\r\n\n"), WithLine("\n" + HistoryLine(Sample())),
        WithLine(HistoryLine(Sample()).substr(0, 30)),
        std::string(OlderHeader) + "2026-12-07T10:32:00Z,4,0,0,1000,,4,0,0,4,100,"};
    for (const std::string& text : texts) {
        const ParsedHistory whole = ParseHistory(text);
        for (std::size_t piece = 1; piece <= 64; ++piece) {
            HistoryParser parser;
            for (std::size_t at = 0; at < text.size(); at += piece)
                parser.Feed(std::string_view(text).substr(at, piece));
            const ParsedHistory pieces = parser.Finish();
            EXPECT_EQ(pieces.Status, whole.Status) << piece;
            EXPECT_EQ(pieces.Records, whole.Records) << piece;
            EXPECT_EQ(pieces.BadLine, whole.BadLine) << piece;
            EXPECT_EQ(pieces.DataEnd, whole.DataEnd) << piece;
            EXPECT_EQ(pieces.DataEndsMidLine, whole.DataEndsMidLine) << piece;
        }
    }
}

} // namespace
} // namespace kvarzel
