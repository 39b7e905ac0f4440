// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guess_evidence.h"
#include "core/training_id.h"
#include "core/training_record.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

namespace kvarzel {

// One reading of a figure: the mean wealth of every kept answer given up to
// the end of a training.
struct FigureReading {
    double LogMeanWealth = 0;
    // The trainings with evidence read so far, in the order they ended.
    int TrainingsRead = 0;
    // The end of the training it was read at.
    std::chrono::system_clock::time_point Moment;

    bool operator==(const FigureReading&) const = default;
};

// The history's figure read in real time.
//
// Copies of the program on one data folder play side by side, and a training
// that a kill, a crash or a lock holds back reaches the file after later
// ones: the order of the file is not the order of play. Every answer is a
// fair bet against "no intuition" given everything before it in real time,
// so the mean wealth of all answers given up to a moment is a test
// martingale in real time, and Ville's inequality covers its lowest bound
// over any moments read, whatever copies, kills and locks a player uses.
// A reading is therefore taken at a training's end, in the order trainings
// ended, and only where every training that had started by then had also
// ended: then it is exactly the wealth of every answer given up to that
// moment. A training known to be under way (the one being played, a journal
// no start can complete yet) holds back every reading after its start until
// it ends.
//
// Moments are kept to the millisecond, so a training that starts in the same
// millisecond as another ends counts as started before that end: fewer
// readings, never a wrong one. Lines of older formats have no start: they are
// read in the order of the file, each at its own end, where they lie.
//
// A training is taken once: another line with the same id (a journal written
// twice) adds nothing. Adding a training that ends after all the others, as
// every new one does, costs the trainings not yet read, not the history.
class HistoryReading {
public:
    // A training, in the order of the file; false when its id is already in.
    bool Add(const TrainingRecord& record);
    // The starts of the kept trainings under way, replacing the ones before.
    void SetOpen(std::vector<std::chrono::system_clock::time_point> starts);

    // The readings in the order they were taken; the lowest figure and the
    // current one are among them.
    const std::vector<FigureReading>& Readings() const;
    // The reading with the largest wealth, when one rose above the start.
    std::optional<FigureReading> Lowest() const;
    // ln of the lowest bound (0: 100 %), and of the last reading's.
    double LogLowestBound() const;
    double LogCurrentBound() const;
    // The start of the training under way that the readings wait for, when a
    // training ended after it: the headline says the figure waits.
    std::optional<std::chrono::system_clock::time_point> WaitingFor() const;
    // The evidence of every training read, for the right answers expected.
    const GuessEvidence& ReadTotal() const;
    int Trainings() const { return static_cast<int>(entries_.size()); }
    // Trainings that ended after the start the readings wait for: not read yet.
    int TrainingsWaiting() const;

private:
    // A place in real time; `Sequence` orders moments within a millisecond:
    // a training's start comes before every end of its millisecond, and a line
    // without a start right after the line before it in the file.
    struct Key {
        std::chrono::system_clock::time_point Moment;
        std::uint64_t Sequence = 0;
        auto operator<=>(const Key&) const = default;
    };
    struct Entry {
        Key End;
        Key Start;
        std::optional<GuessEvidence> Evidence;
        std::chrono::system_clock::time_point Finished;
    };

    Entry MakeEntry(const TrainingRecord& record);
    void Advance() const;
    void ReadAgain() const;
    void TakeReading(std::size_t entry) const;
    std::optional<Key> FirstOpenStart() const;

    std::vector<Entry> entries_; // by end
    std::unordered_set<TrainingId, TrainingIdHash> ids_;
    std::vector<std::chrono::system_clock::time_point> open_;
    std::uint64_t sequence_ = 0;
    // The latest end among the lines so far: where a line without a start lies.
    std::chrono::system_clock::time_point latestEnd_ = std::chrono::system_clock::time_point::min();

    // What is read, worked out as needed: entries before readUpTo_ are in
    // readTotal_, and the last reading is at the last of them.
    mutable bool readAgain_ = false;
    mutable bool settled_ = true;
    mutable std::size_t readUpTo_ = 0;
    mutable std::size_t evidenceRead_ = 0;
    mutable GuessEvidence readTotal_;
    mutable std::vector<FigureReading> readings_;
    mutable std::optional<std::size_t> lowest_;
};

} // namespace kvarzel
