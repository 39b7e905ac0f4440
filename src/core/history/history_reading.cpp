// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/history_reading.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kvarzel {

using std::chrono::system_clock;

bool HistoryReading::Add(const TrainingRecord& record) {
    if (record.Start && !ids_.insert(record.Start->Id).second)
        return false;
    Entry entry = MakeEntry(record);
    const bool inOrder = entries_.empty() || entries_.back().End < entry.End;
    // A training that started before a reading already taken was under way
    // then, unseen: that reading did not hold all answers given before it.
    const bool startsBeforeAReading = readUpTo_ > 0 && entry.Start <= entries_[readUpTo_ - 1].End;
    if (inOrder) {
        entries_.push_back(std::move(entry));
    } else {
        const auto place = std::upper_bound(
            entries_.begin(), entries_.end(), entry.End,
            [](const Key& end, const Entry& other) { return end < other.End; });
        entries_.insert(place, std::move(entry));
    }
    readAgain_ = readAgain_ || !inOrder || startsBeforeAReading;
    settled_ = false;
    return true;
}

HistoryReading::Entry HistoryReading::MakeEntry(const TrainingRecord& record) {
    Entry entry;
    const std::uint64_t sequence = ++sequence_;
    if (record.Start) {
        entry.Start = {record.Start->Moment, 0};
        entry.End = {std::max(record.Finished, record.Start->Moment), sequence};
        latestEnd_ = std::max(latestEnd_, entry.End.Moment);
    } else {
        entry.End = entry.Start = {latestEnd_, sequence};
    }
    if (record.Evidence)
        entry.Evidence = record.Evidence->Total;
    entry.Finished = record.Finished;
    return entry;
}

void HistoryReading::SetOpen(std::vector<system_clock::time_point> starts) {
    std::sort(starts.begin(), starts.end());
    if (starts == open_)
        return;
    const bool startsBeforeAReading =
        !starts.empty() && readUpTo_ > 0 && Key{starts.front(), 0} <= entries_[readUpTo_ - 1].End;
    open_ = std::move(starts);
    readAgain_ = readAgain_ || startsBeforeAReading;
    settled_ = false;
}

std::optional<HistoryReading::Key> HistoryReading::FirstOpenStart() const {
    if (open_.empty())
        return std::nullopt;
    return Key{open_.front(), 0};
}

void HistoryReading::ReadAgain() const {
    readAgain_ = false;
    readUpTo_ = 0;
    evidenceRead_ = 0;
    readTotal_ = {};
    readings_.clear();
    lowest_.reset();
}

// Reads on from the last reading: a training's end is read when no training
// after it in the order of ends, nor one under way, had started by then.
void HistoryReading::Advance() const {
    if (std::exchange(settled_, true))
        return;
    if (readAgain_)
        ReadAgain();
    const std::size_t count = entries_.size();
    if (readUpTo_ == count)
        return;
    constexpr auto never = std::numeric_limits<std::uint64_t>::max();
    const std::size_t first = readUpTo_;
    // The earliest start among the trainings that end after each one.
    std::vector<Key> laterStart(count - first);
    Key earliest = FirstOpenStart().value_or(Key{system_clock::time_point::max(), never});
    for (std::size_t i = count; i-- > first;) {
        laterStart[i - first] = earliest;
        earliest = std::min(earliest, entries_[i].Start);
    }
    GuessEvidence total = readTotal_;
    std::size_t withEvidence = evidenceRead_;
    for (std::size_t i = first; i < count; ++i) {
        const Entry& entry = entries_[i];
        if (entry.Evidence) {
            total += *entry.Evidence;
            ++withEvidence;
        }
        if (laterStart[i - first] <= entry.End)
            continue;
        readTotal_ = total;
        evidenceRead_ = withEvidence;
        readUpTo_ = i + 1;
        if (entry.Evidence)
            TakeReading(i);
    }
}

void HistoryReading::TakeReading(std::size_t entry) const {
    readings_.push_back({readTotal_.LogMeanWealth(), static_cast<int>(evidenceRead_),
                         entries_[entry].Finished});
    const double highest = lowest_ ? readings_[*lowest_].LogMeanWealth : 0.0;
    if (readings_.back().LogMeanWealth > highest)
        lowest_ = readings_.size() - 1;
}

const std::vector<FigureReading>& HistoryReading::Readings() const {
    Advance();
    return readings_;
}

std::optional<FigureReading> HistoryReading::Lowest() const {
    Advance();
    if (!lowest_)
        return std::nullopt;
    return readings_[*lowest_];
}

double HistoryReading::LogLowestBound() const {
    const auto lowest = Lowest();
    return lowest ? -lowest->LogMeanWealth : 0.0;
}

double HistoryReading::LogCurrentBound() const {
    const auto& readings = Readings();
    return readings.empty() ? 0.0 : -std::max(0.0, readings.back().LogMeanWealth);
}

std::optional<system_clock::time_point> HistoryReading::WaitingFor() const {
    Advance();
    if (readUpTo_ == entries_.size() || open_.empty())
        return std::nullopt;
    return open_.front();
}

int HistoryReading::TrainingsWaiting() const {
    Advance();
    return static_cast<int>(entries_.size() - readUpTo_);
}

const GuessEvidence& HistoryReading::ReadTotal() const {
    Advance();
    return readTotal_;
}

} // namespace kvarzel
