#include "core/history_csv.h"

#include "core/bucket.h"
#include "core/ratio_scale.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace kvarzel {
namespace {

constexpr std::string_view Header = "finished_utc,peas_count,peas_ratio,timer_enabled,"
                                    "time_interval_ms,black_peas,white_answers,black_answers,"
                                    "timer_answers,right_answers,percentage,chance_percent";
constexpr std::size_t FieldCount = 12;
// A training keeps the timer interval as the settings file held it, which the
// user may have edited to anything; a line must read back whatever was written.
constexpr std::int32_t MinInterval = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t MaxInterval = std::numeric_limits<std::int32_t>::max();

std::string UtcText(std::chrono::system_clock::time_point moment) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(moment);
    const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(seconds)};
    const std::chrono::hh_mm_ss time{seconds - std::chrono::floor<std::chrono::days>(seconds)};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02lld:%02lld:%02lldZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<long long>(time.hours().count()),
                  static_cast<long long>(time.minutes().count()),
                  static_cast<long long>(time.seconds().count()));
    return text;
}

std::optional<std::chrono::system_clock::time_point> ParseUtc(std::string_view text) {
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char zone = 0;
    const std::string copy(text);
    if (text.size() != 20 ||
        std::sscanf(copy.c_str(), "%4d-%2u-%2uT%2u:%2u:%2u%c", &year, &month, &day, &hour, &minute,
                    &second, &zone) != 7 ||
        zone != 'Z' || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                           std::chrono::day{day}};
    if (!date.ok())
        return std::nullopt;
    return std::chrono::sys_days{date} + std::chrono::hours{hour} + std::chrono::minutes{minute} +
           std::chrono::seconds{second};
}

std::string NumberText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos)
            return fields;
        line.remove_prefix(comma + 1);
    }
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, Number low, Number high) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !(value >= low) ||
        !(value <= high))
        return std::nullopt;
    return value;
}

// The bucket a line states must be the one its settings fill.
bool IsConsistent(const TrainingRecord& record) {
    return record.RightCount <= record.Answers.Guessed() &&
           record.Answers.Total() == record.PeasCount &&
           record.Bucket == BucketFor(record.PeasCount, record.PeasRatio);
}

} // namespace

std::string HistoryHeaderLine() {
    return std::string(Header) + "\n";
}

TrainingRecord AsStoredInHistory(TrainingRecord record) {
    record.Finished = std::chrono::floor<std::chrono::seconds>(record.Finished);
    return record;
}

std::string HistoryLine(const TrainingRecord& record) {
    const std::string black =
        record.Bucket.ByChance ? std::string() : std::to_string(record.Bucket.BlackPeas);
    return UtcText(record.Finished) + "," + std::to_string(record.PeasCount) + "," +
           std::to_string(record.PeasRatio) + "," + (record.TimerEnabled ? "1" : "0") + "," +
           std::to_string(record.TimeInterval) + "," + black + "," +
           std::to_string(record.Answers.White) + "," + std::to_string(record.Answers.Black) + "," +
           std::to_string(record.Answers.Timer) + "," + std::to_string(record.RightCount) + "," +
           NumberText(record.Percentage) + ",\n";
}

std::optional<TrainingRecord> ParseHistoryLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != FieldCount)
        return std::nullopt;
    const auto finished = ParseUtc(fields[0]);
    const auto peas = ParseNumber<std::int32_t>(fields[1], 1, MaxTrainingPeas);
    const auto ratio = ParseNumber<std::int32_t>(fields[2], RatioScaleMin, RatioScaleMax);
    const auto timer = ParseNumber<std::int32_t>(fields[3], 0, 1);
    const auto interval = ParseNumber<std::int32_t>(fields[4], MinInterval, MaxInterval);
    const auto black = fields[5].empty() ? std::optional<std::int32_t>(-1)
                                         : ParseNumber<std::int32_t>(fields[5], 0, MaxTrainingPeas);
    const auto white = ParseNumber<std::int32_t>(fields[6], 0, MaxTrainingPeas);
    const auto blackAnswers = ParseNumber<std::int32_t>(fields[7], 0, MaxTrainingPeas);
    const auto timerAnswers = ParseNumber<std::int32_t>(fields[8], 0, MaxTrainingPeas);
    const auto right = ParseNumber<std::int32_t>(fields[9], 0, MaxTrainingPeas);
    const auto percentage = ParseNumber<double>(fields[10], 0.0, 100.0);
    if (!finished || !peas || !ratio || !timer || !interval || !black || !white || !blackAnswers ||
        !timerAnswers || !right || !percentage)
        return std::nullopt;
    TrainingRecord record{*finished,
                          *peas,
                          *ratio,
                          *timer == 1,
                          *interval,
                          {*black < 0, std::max(*black, 0)},
                          {*white, *blackAnswers, *timerAnswers},
                          *right,
                          *percentage};
    if (!IsConsistent(record))
        return std::nullopt;
    return record;
}

ParsedHistory ParseHistory(std::string_view text) {
    ParsedHistory result;
    if (text.empty())
        return result;
    std::size_t lineStart = 0;
    for (int number = 1; lineStart < text.size(); ++number) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lineStart = lineEnd + 1;
        if (number == 1) {
            if (line != Header)
                return {ParsedHistory::Kind::Foreign, {}, 1};
            continue;
        }
        if (line.empty() && lineStart >= text.size())
            break;
        const auto record = ParseHistoryLine(line);
        if (!record)
            return {ParsedHistory::Kind::Damaged, std::move(result.Records), number};
        result.Records.push_back(*record);
    }
    result.Status = ParsedHistory::Kind::Ours;
    return result;
}

} // namespace kvarzel
