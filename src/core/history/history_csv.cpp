// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/history_csv.h"

#include "core/history/history_record_check.h"
#include "core/history/line_check.h"
#include "core/ratio_scale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <span>

namespace kvarzel {
namespace {

using namespace std::chrono;

// The columns every version writes first.
constexpr std::string_view CommonColumns = "finished_utc,peas_count,peas_ratio,timer_enabled,"
                                           "time_interval_ms,black_peas,white_answers,"
                                           "black_answers,timer_answers,right_answers,percentage";
constexpr std::size_t CommonFieldCount = 11;
// The previous version's last column, a chance figure of a model since given
// up: read as a number or nothing, and dropped.
constexpr std::string_view OlderHeader = "finished_utc,peas_count,peas_ratio,timer_enabled,"
                                         "time_interval_ms,black_peas,white_answers,"
                                         "black_answers,timer_answers,right_answers,percentage,"
                                         "chance_percent";
constexpr std::size_t OlderFieldCount = CommonFieldCount + 1;
// The version before this one had the first six bets only, and no check
// column; the bets it lacks did not bet on its lines, which leaves their
// wealth at one.
constexpr std::size_t SixBetCount = 6;
constexpr std::size_t EvidenceFieldCount(std::size_t betCount) {
    return 3 + betCount;
}
// The fields of a line before its timing columns and its check.
constexpr std::size_t FieldCount(std::size_t betCount) {
    return CommonFieldCount + 1 + EvidenceFieldCount(betCount);
}
// When the training started and ended, to the millisecond, and its id: what
// the history is read in the order of real time by. Before the check.
constexpr std::string_view TimingColumns = ",started_utc_ms,finished_utc_ms,training_id";
constexpr std::size_t TimingFieldCount = 3;
constexpr std::string_view CheckColumn = ",line_check";

// A training keeps the timer interval as the settings file held it, which the
// user may have edited to anything; a line must read back whatever was written.
constexpr std::int32_t MinInterval = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t MaxInterval = std::numeric_limits<std::int32_t>::max();

// Numbers go straight into the text, in their shortest form that reads back
// the same.
template <typename Number> void AppendNumber(std::string& text, Number value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

template <typename Number>
void AppendFields(std::string& line, std::initializer_list<Number> values) {
    for (const Number value : values) {
        line += ',';
        AppendNumber(line, value);
    }
}

// New columns go at the end, so that the older ones keep their places for
// any spreadsheet or script that reads them.
std::string HeaderWithBets(std::size_t betCount) {
    std::string header(CommonColumns);
    header += ",abandoned,expected_right,right_variance,ln_peak_wealth";
    for (std::size_t bet = 0; bet < betCount; ++bet) {
        header += ",ln_wealth_edge_";
        AppendNumber(header, BetEdges[bet]);
    }
    return header;
}

const std::string& PreviousHeader() {
    static const std::string header = HeaderWithBets(SixBetCount);
    return header;
}

// The version before this one: seven bets and the check, no timing.
const std::string& UntimedHeader() {
    static const std::string header = HeaderWithBets(BetCount) + std::string(CheckColumn);
    return header;
}

const std::string& Header() {
    static const std::string header =
        HeaderWithBets(BetCount) + std::string(TimingColumns) + std::string(CheckColumn);
    return header;
}

// `value` in exactly `width` digits, at the end of `text`.
void AppendDigits(std::string& text, long long value, int width) {
    text.append(static_cast<std::size_t>(width), '0');
    for (auto digit = text.end(); width-- > 0 && value > 0; value /= 10)
        *--digit = static_cast<char>('0' + value % 10);
}

// "YYYY-MM-DDThh:mm:ssZ", or "YYYY-MM-DDThh:mm:ss.mmmZ" with the milliseconds;
// written digit by digit, as a journal writes three of them after every answer.
std::string UtcText(system_clock::time_point moment, bool withMilliseconds = false) {
    const auto millisecond = floor<milliseconds>(moment);
    const auto second = floor<seconds>(millisecond);
    const year_month_day date{floor<days>(second)};
    const hh_mm_ss time{second - floor<days>(second)};
    std::string text;
    text.reserve(24);
    AppendDigits(text, static_cast<int>(date.year()), 4);
    text += '-';
    AppendDigits(text, static_cast<unsigned>(date.month()), 2);
    text += '-';
    AppendDigits(text, static_cast<unsigned>(date.day()), 2);
    text += 'T';
    AppendDigits(text, time.hours().count(), 2);
    text += ':';
    AppendDigits(text, time.minutes().count(), 2);
    text += ':';
    AppendDigits(text, time.seconds().count(), 2);
    if (withMilliseconds) {
        text += '.';
        AppendDigits(text, (millisecond - second).count(), 3);
    }
    return text + 'Z';
}

void AppendEvidence(std::string& line, const std::optional<EvidenceTrack>& evidence) {
    if (!evidence) {
        line.append(EvidenceFieldCount(BetCount), ',');
        return;
    }
    const GuessEvidence& total = evidence->Total;
    AppendFields(line, {total.ExpectedRight, total.RightVariance, evidence->LogPeakWealth});
    for (const double logWealth : total.LogWealth)
        AppendFields(line, {logWealth});
}

void AppendTiming(std::string& line, const TrainingRecord& record) {
    if (!record.Start) {
        line.append(TimingFieldCount, ',');
        return;
    }
    line += ',';
    line += UtcMillisecondText(record.Start->Moment);
    line += ',';
    line += UtcMillisecondText(record.Finished);
    line += ',';
    line += record.Start->Id.Text();
}

// The fields of a line, or nothing when it has not exactly fields.size().
bool SplitFields(std::string_view line, std::span<std::string_view> fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t comma = line.find(',');
        fields[i] = line.substr(0, comma);
        if (comma == std::string_view::npos)
            return i + 1 == fields.size();
        line.remove_prefix(comma + 1);
    }
    return false;
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

std::optional<double> ParseFinite(std::string_view text) {
    constexpr double largest = std::numeric_limits<double>::max();
    return ParseNumber<double>(text, -largest, largest);
}

// The old chance column held numbers too small for a double ("1e-3008").
bool IsNumberOrNothing(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return text.empty() || (end == text.data() + text.size() && !std::isnan(value) &&
                            (error == std::errc::result_out_of_range ||
                             (error == std::errc{} && std::isfinite(value))));
}

std::optional<int> Digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The clock's time points count nanoseconds, which end in 2262: a later date
// cannot be held and is no training of ours, like one before 1970.
constexpr std::int64_t LatestSecond =
    floor<seconds>(system_clock::time_point::max()).time_since_epoch().count();

// "YYYY-MM-DDThh:mm:ssZ". The year is checked before any conversion, so that
// no date overflows the clock.
std::optional<system_clock::time_point> ParseUtc(std::string_view text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(5, 2));
    const auto day = Digits(text.substr(8, 2));
    const auto hour = Digits(text.substr(11, 2));
    const auto minute = Digits(text.substr(14, 2));
    const auto second = Digits(text.substr(17, 2));
    if (!year || !month || !day || !hour || !minute || !second || *year < 1970 || *hour > 23 ||
        *minute > 59 || *second > 59)
        return std::nullopt;
    const year_month_day date{std::chrono::year{*year}, std::chrono::month(*month),
                              std::chrono::day(*day)};
    if (!date.ok())
        return std::nullopt;
    const std::int64_t total = duration_cast<seconds>(sys_days{date}.time_since_epoch()).count() +
                               *hour * 3600 + *minute * 60 + *second;
    if (total > LatestSecond)
        return std::nullopt;
    return system_clock::time_point(duration_cast<system_clock::duration>(seconds{total}));
}

// "YYYY-MM-DDThh:mm:ss.mmmZ".
std::optional<system_clock::time_point> ParseUtcMilliseconds(std::string_view text) {
    if (text.size() != 24 || text[19] != '.')
        return std::nullopt;
    const auto second = ParseUtc(std::string(text.substr(0, 19)) + "Z");
    const auto millisecond = Digits(text.substr(20, 3));
    // The last second the clock holds has fewer than a thousand milliseconds.
    if (!second || !millisecond || text[23] != 'Z' ||
        milliseconds{*millisecond} > system_clock::time_point::max() - *second)
        return std::nullopt;
    return *second + milliseconds{*millisecond};
}

// The columns both formats share; the consistency is checked by the caller,
// once the line's own columns are in.
std::optional<TrainingRecord> ParseCommonFields(std::span<const std::string_view> fields) {
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
    TrainingRecord record;
    record.Finished = *finished;
    record.PeasCount = *peas;
    record.PeasRatio = *ratio;
    record.TimerEnabled = *timer == 1;
    record.TimeInterval = *interval;
    record.Bucket = {*black < 0, std::max(*black, 0)};
    record.Answers = {*white, *blackAnswers, *timerAnswers};
    record.RightCount = *right;
    record.Percentage = *percentage;
    return record;
}

// A line keeps a training's figure as read once, at its end: its peak
// column, and the reading the rest follows from.
void KeepAsReadAtItsEnd(EvidenceTrack& evidence) {
    evidence.Readings = 1;
    evidence.PeakReading = evidence.LogPeakWealth > 0 ? 1 : 0;
    evidence.LogLastReadWealth = evidence.Total.LogMeanWealth();
}

// All the evidence columns filled, or all empty (a line of the format
// without evidence written again): nothing in between.
bool ParseEvidence(std::span<const std::string_view> fields, std::optional<EvidenceTrack>& out) {
    if (std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return f.empty(); })) {
        out.reset();
        return true;
    }
    std::array<double, EvidenceFieldCount(BetCount)> values{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto value = ParseFinite(fields[i]);
        if (!value)
            return false;
        values[i] = *value;
    }
    EvidenceTrack evidence;
    evidence.Total.ExpectedRight = values[0];
    evidence.Total.RightVariance = values[1];
    evidence.LogPeakWealth = values[2];
    std::copy(values.begin() + 3, values.begin() + static_cast<std::ptrdiff_t>(fields.size()),
              evidence.Total.LogWealth.begin());
    KeepAsReadAtItsEnd(evidence);
    out = evidence;
    return true;
}

std::optional<TrainingRecord> Checked(std::optional<TrainingRecord> record) {
    if (record && !IsPossibleTraining(*record))
        return std::nullopt;
    return record;
}

std::optional<TrainingRecord> ParseOlderHistoryLine(std::string_view line) {
    std::array<std::string_view, OlderFieldCount> fields;
    if (!SplitFields(line, fields) || !IsNumberOrNothing(fields[CommonFieldCount]))
        return std::nullopt;
    return Checked(ParseCommonFields(fields));
}

} // namespace

std::string UtcMillisecondText(system_clock::time_point moment) {
    return UtcText(moment, true);
}

std::optional<system_clock::time_point> ParseUtcMillisecondText(std::string_view text) {
    return ParseUtcMilliseconds(text);
}

std::string HistoryHeaderLine() {
    return Header() + "\n";
}

TrainingRecord AsStoredInHistory(TrainingRecord record) {
    using Moment = system_clock::time_point;
    constexpr Moment epoch{};
    if (record.Start) {
        record.Start->Moment = std::max<Moment>(floor<milliseconds>(record.Start->Moment), epoch);
        record.Finished = std::max<Moment>(floor<milliseconds>(record.Finished), record.Start->Moment);
    } else {
        record.Finished = std::max<Moment>(floor<seconds>(record.Finished), epoch);
    }
    if (record.Evidence)
        KeepAsReadAtItsEnd(*record.Evidence);
    return record;
}

std::string HistoryLine(const TrainingRecord& training) {
    const TrainingRecord record = AsStoredInHistory(training);
    std::string line = UtcText(floor<seconds>(record.Finished));
    AppendFields(line, {record.PeasCount, record.PeasRatio, std::int32_t{record.TimerEnabled},
                        record.TimeInterval});
    line += ',';
    if (!record.Bucket.ByChance)
        AppendNumber(line, record.Bucket.BlackPeas);
    AppendFields(line, {record.Answers.White, record.Answers.Black, record.Answers.Timer,
                        record.RightCount});
    AppendFields(line, {record.Percentage});
    line += record.Abandoned ? ",1" : ",0";
    AppendEvidence(line, record.Evidence);
    AppendTiming(line, record);
    line += ',';
    line += LineCheckText(std::string_view(line).substr(0, line.size() - 1));
    line += '\n';
    return line;
}

std::size_t LongestHistoryLine() {
    static const std::size_t longest = [] {
        // The widest texts: a negative 32-bit integer, and a negative double
        // of seventeen digits with a three-digit exponent; the moments and
        // the id are of one width.
        constexpr std::int32_t integer = std::numeric_limits<std::int32_t>::min();
        constexpr double real = -2.2250738585072014e-308;
        TrainingRecord record;
        record.PeasCount = record.PeasRatio = record.TimeInterval = integer;
        record.Bucket = {false, integer};
        record.Answers = {integer, integer, integer};
        record.RightCount = integer;
        record.Percentage = real;
        EvidenceTrack evidence;
        evidence.Total.ExpectedRight = evidence.Total.RightVariance = real;
        evidence.LogPeakWealth = real;
        evidence.Total.LogWealth.fill(real);
        record.Evidence = evidence;
        record.Start = TrainingStart{};
        return HistoryLine(record).size();
    }();
    return longest;
}

namespace {

// The start, the end to the millisecond and the id, or all three empty (a
// line of an older format written again). The end must be the line's own
// end to the second, and come no earlier than the start.
bool ParseTiming(std::span<const std::string_view> fields, TrainingRecord& record) {
    if (std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return f.empty(); }))
        return true;
    const auto started = ParseUtcMillisecondText(fields[0]);
    const auto finished = ParseUtcMillisecondText(fields[1]);
    const auto id = TrainingId::FromText(fields[2]);
    if (!started || !finished || !id || *started > *finished ||
        floor<seconds>(*finished) != record.Finished)
        return false;
    record.Start = TrainingStart{*started, *id};
    record.Finished = *finished;
    return true;
}

// The fields of a line, without a check, with the evidence of the first
// `betCount` bets, and the timing columns when `timed`.
std::optional<TrainingRecord> ParseLineWithBets(std::string_view line, std::size_t betCount,
                                                bool timed) {
    std::array<std::string_view, FieldCount(BetCount) + TimingFieldCount> allFields;
    const std::span fields =
        std::span(allFields).first(FieldCount(betCount) + (timed ? TimingFieldCount : 0));
    if (!SplitFields(line, fields))
        return std::nullopt;
    std::optional<TrainingRecord> record = ParseCommonFields(fields);
    const auto abandoned = ParseNumber<std::int32_t>(fields[CommonFieldCount], 0, 1);
    const auto evidence = fields.subspan(CommonFieldCount + 1, EvidenceFieldCount(betCount));
    if (!record || !abandoned || !ParseEvidence(evidence, record->Evidence) ||
        (timed && !ParseTiming(fields.last(TimingFieldCount), *record)))
        return std::nullopt;
    record->Abandoned = *abandoned == 1;
    return Checked(std::move(record));
}

} // namespace

std::optional<TrainingRecord> ParseHistoryLine(std::string_view line) {
    const std::optional<std::string_view> content = CheckedContent(line);
    if (!content)
        return std::nullopt;
    return ParseLineWithBets(*content, BetCount, true);
}

std::optional<TrainingRecord> ParseUntimedHistoryLine(std::string_view line) {
    const std::optional<std::string_view> content = CheckedContent(line);
    if (!content)
        return std::nullopt;
    return ParseLineWithBets(*content, BetCount, false);
}

// From the end: the lines before the last whole one need not be read.
std::optional<TrainingRecord> ParseJournalText(std::string_view text) {
    const std::size_t used = text.find_last_not_of('\0');
    text = text.substr(0, used == std::string_view::npos ? 0 : used + 1);
    for (;;) {
        const std::size_t lineEnd = text.rfind('\n');
        const std::size_t start = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
        const std::string_view line = text.substr(start);
        // A journal that the version before this one left has no timing.
        if (auto record = ParseHistoryLine(line); record || (record = ParseUntimedHistoryLine(line)))
            return record;
        if (start == 0)
            return std::nullopt;
        text = text.substr(0, start - 1);
    }
}

std::optional<TrainingRecord> ParsePreviousHistoryLine(std::string_view line) {
    return ParseLineWithBets(line, SixBetCount, false);
}

void HistoryParser::Feed(std::string_view piece) {
    while (!piece.empty() && !stopped_) {
        const std::size_t end = piece.find('\n');
        const bool ended = end != std::string_view::npos;
        const std::string_view part = piece.substr(0, end);
        offset_ += ended ? end + 1 : part.size();
        piece.remove_prefix(ended ? end + 1 : part.size());
        if (!passingLongLine_ && carry_.size() + part.size() > MaxHistoryLineLength) {
            if (lineNumber_ == 0)
                return Stop(ParsedHistory::Kind::Foreign, 1);
            carry_.clear();
            passingLongLine_ = true;
        }
        if (passingLongLine_) {
            if (ended)
                TakeLongLine();
        } else if (!ended) {
            carry_.append(part);
        } else if (carry_.empty()) {
            TakeLine(part, true);
        } else {
            carry_.append(part);
            TakeLine(carry_, true);
            carry_.clear();
        }
    }
}

// A line too long to be ours is passed over, never held: only whether a
// training follows it matters.
void HistoryParser::TakeLongLine() {
    passingLongLine_ = false;
    ++lineNumber_;
    NoteOddLine(false);
}

void HistoryParser::TakeLine(std::string_view line, bool ended) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    ++lineNumber_;
    if (lineNumber_ == 1)
        TakeHeader(line, ended);
    else if (line.empty())
        NoteOddLine(true);
    else
        TakeTraining(line, ended);
}

void HistoryParser::NoteOddLine(bool blank) {
    firstOddLine_ = firstOddLine_ != 0 ? firstOddLine_ : lineNumber_;
    tailDamaged_ = tailDamaged_ || !blank;
}

void HistoryParser::TakeHeader(std::string_view line, bool ended) {
    if (line == OlderHeader)
        format_ = ParsedHistory::Format::Oldest;
    else if (line == UntimedHeader())
        format_ = ParsedHistory::Format::Untimed;
    else if (line == PreviousHeader())
        format_ = ParsedHistory::Format::Previous;
    else if (line != Header())
        Stop(ParsedHistory::Kind::Foreign, 1);
    result_.OlderFormat = format_ != ParsedHistory::Format::Current;
    result_.DataEnd = offset_;
    result_.DataEndsMidLine = !ended;
}

std::optional<TrainingRecord> HistoryParser::ParseLine(std::string_view line, bool ended) const {
    switch (format_) {
    case ParsedHistory::Format::Current:
        return ParseHistoryLine(line);
    case ParsedHistory::Format::Untimed:
        return ParseUntimedHistoryLine(line);
    // Without a check, a last line without its end may have been cut in its
    // last number and read as a training all the same: it is left out.
    case ParsedHistory::Format::Previous:
        return ended ? ParsePreviousHistoryLine(line) : std::nullopt;
    case ParsedHistory::Format::Oldest:
        break;
    }
    return ended ? ParseOlderHistoryLine(line) : std::nullopt;
}

void HistoryParser::TakeTraining(std::string_view line, bool ended) {
    const std::optional<TrainingRecord> record = ParseLine(line, ended);
    if (!record)
        return NoteOddLine(false);
    if (firstOddLine_ != 0)
        return Stop(ParsedHistory::Kind::Damaged, firstOddLine_);
    result_.Records.push_back(*record);
    result_.DataEnd = offset_;
    result_.DataEndsMidLine = !ended;
}

void HistoryParser::Stop(ParsedHistory::Kind kind, int line) {
    stopped_ = true;
    result_.Status = kind;
    result_.BadLine = line;
    if (kind == ParsedHistory::Kind::Foreign)
        result_.Records.clear();
}

ParsedHistory HistoryParser::Finish() {
    if (!stopped_ && passingLongLine_)
        TakeLongLine();
    if (!stopped_ && !carry_.empty()) {
        const std::string last = std::move(carry_);
        carry_.clear();
        TakeLine(last, false);
    }
    if (!stopped_ && lineNumber_ > 0) {
        result_.Status = ParsedHistory::Kind::Ours;
        result_.DamagedTail = tailDamaged_;
    }
    return std::move(result_);
}

ParsedHistory ParseHistory(std::string_view text) {
    HistoryParser parser;
    parser.Feed(text);
    return parser.Finish();
}

} // namespace kvarzel
