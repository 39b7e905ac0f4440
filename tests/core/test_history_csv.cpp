#include "core/history_csv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

namespace kvarzel {
namespace {

using namespace std::chrono;

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
    record.Percentage = 200.0L / 3.0L;
    return record;
}

std::string WithLine(const std::string& line) {
    return HistoryHeaderLine() + HistoryLine(Sample()) + line;
}

TEST(HistoryCsvTest, LineCarriesTheTraining) {
    const std::string line = HistoryLine(Sample());
    EXPECT_EQ(line.substr(0, 45), "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66");
    EXPECT_EQ(line.back(), '\n');
    TrainingRecord allRight = Sample();
    allRight.PeasCount = 9999;
    allRight.PeasRatio = 0;
    allRight.Bucket = {true, 0};
    allRight.Answers = {9999, 0, 0};
    allRight.RightCount = 9999;
    allRight.Percentage = 100;
    const std::string tiny = HistoryLine(allRight);
    EXPECT_NE(tiny.find(",9999,0,1,1500,,9999,0,0,9999,100,"), std::string::npos) << tiny;
}

TEST(HistoryCsvTest, ReadsBackWhatItWrites) {
    const ParsedHistory parsed =
        ParseHistory(HistoryHeaderLine() + HistoryLine(Sample()) + HistoryLine(Sample()));
    ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours);
    ASSERT_EQ(parsed.Records.size(), 2U);
    EXPECT_EQ(parsed.Records[0], Sample());
    // Lines ended the Windows way, or a last line without its end, read as well.
    std::string windows = HistoryHeaderLine() + HistoryLine(Sample());
    windows.insert(windows.find('\n'), "\r");
    windows.pop_back();
    EXPECT_EQ(ParseHistory(windows).Records, std::vector<TrainingRecord>{Sample()});
    EXPECT_EQ(ParseHistory("").Status, ParsedHistory::Kind::Empty);
    EXPECT_EQ(ParseHistory(HistoryHeaderLine()).Status, ParsedHistory::Kind::Ours);
}

// The settings file is the user's to edit, and a training keeps its timer
// interval as read from there; a line the program wrote must read back, or
// the history would count as damaged and take no more trainings.
TEST(HistoryCsvTest, ReadsBackAnyIntervalTheSettingsHeld) {
    for (const std::int32_t interval : {-1, 0, std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max()}) {
        TrainingRecord record = Sample();
        record.TimeInterval = interval;
        const ParsedHistory parsed = ParseHistory(HistoryHeaderLine() + HistoryLine(record));
        ASSERT_EQ(parsed.Status, ParsedHistory::Kind::Ours) << interval;
        EXPECT_EQ(parsed.Records, std::vector<TrainingRecord>{record}) << interval;
    }
}

TEST(HistoryCsvTest, ForeignAndDamagedTextsAreToldApart) {
    EXPECT_EQ(ParseHistory("date,score\n2026-01-01,5\n").Status, ParsedHistory::Kind::Foreign);
    EXPECT_EQ(ParseHistory(std::string("\xEF\xBB\xBF") + HistoryHeaderLine()).Status,
              ParsedHistory::Kind::Foreign);
    const std::vector<std::string> damaged{
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.6\n",       // a field short
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,3,100,1\n",      // more right than guesses
        "2026-12-07T10:31:08Z,3,10,1,1500,,1,1,1,2,66.6,1\n",      // chance bucket at ratio 10
        "2026-12-07T10:31:08Z,3,20,1,1500,2,1,1,1,2,66.6,1\n",     // exact bucket at ratio 20
        "2026-12-07T10:31:08Z,4,10,1,1500,2,1,1,1,2,50,1\n",       // answers do not add up
        "2026-12-07T10:31:08Z,3,10,1,1500,1,1,1,1,2,66.6,1\n",     // not the ratio's black peas
        "2026-02-30T10:31:08Z,3,10,1,1500,2,1,1,1,2,66.6,1\n",     // no such day
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,166.6,1\n",    // beyond 100 %
        "2026-12-07T10:31:08Z,3,10,1,1500,2,1,1,1,2,nan,1\n",      // not a number
        "2026-12-07T10:31:08Z,99999,10,1,1500,2,1,1,1,2,66.6,1\n", // too many peas
        "\n",
    };
    for (const std::string& line : damaged) {
        const ParsedHistory parsed = ParseHistory(WithLine(line + HistoryLine(Sample())));
        EXPECT_EQ(parsed.Status, ParsedHistory::Kind::Damaged) << line;
        EXPECT_EQ(parsed.BadLine, 3) << line;
        EXPECT_EQ(parsed.Records.size(), 1U) << line;
    }
}

} // namespace
} // namespace kvarzel
