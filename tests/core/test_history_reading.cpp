// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/history_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <random>
#include <vector>

namespace kvarzel {
namespace {

using namespace std::chrono;
using Moment = system_clock::time_point;

const Moment Day = sys_days{2026y / 12 / 8};

struct TimedGuess {
    Moment At;
    bool Right = false;
};

// A training as copies of the program play it: started, answered at its
// moments, ended; all in milliseconds.
struct PlayedTraining {
    Moment Started;
    Moment Ended;
    std::vector<TimedGuess> Guesses;

    TrainingRecord Record(std::uint64_t id) const {
        TrainingRecord record;
        record.Start = TrainingStart{Started, TrainingId{{id, 0}}};
        record.Finished = Ended;
        EvidenceTrack evidence;
        for (const TimedGuess& guess : Guesses)
            evidence.AddGuess(0.5, guess.Right);
        evidence.Read();
        record.Evidence = evidence;
        return record;
    }
};

// Several copies, each playing trainings one after another, side by side:
// their starts, answers and ends interleave, often within one millisecond.
std::vector<PlayedTraining> PlayedSideBySide(std::mt19937_64& random) {
    std::vector<PlayedTraining> trainings;
    const int copies = 1 + static_cast<int>(random() % 4);
    for (int copy = 0; copy < copies; ++copy) {
        Moment now = Day + milliseconds(random() % 20);
        const int count = 1 + static_cast<int>(random() % 6);
        for (int training = 0; training < count; ++training) {
            PlayedTraining played;
            played.Started = now;
            const int guesses = static_cast<int>(random() % 5);
            for (int guess = 0; guess < guesses; ++guess) {
                now += milliseconds(random() % 4);
                played.Guesses.push_back({now, random() % 2 == 0});
            }
            now += milliseconds(random() % 4);
            played.Ended = now;
            trainings.push_back(played);
            now += milliseconds(random() % 6);
        }
    }
    return trainings;
}

// The mean wealth of every answer given up to `moment`, guess by guess.
double WealthOfAnswersUpTo(const std::vector<PlayedTraining>& trainings, Moment moment) {
    GuessEvidence evidence;
    for (const PlayedTraining& training : trainings)
        for (const TimedGuess& guess : training.Guesses)
            if (guess.At <= moment)
                evidence.AddGuess(0.5, guess.Right);
    return evidence.LogMeanWealth();
}

// The moments no training was under way at: every training that had started
// by then had ended. `open` trainings never end.
std::vector<Moment> QuietEnds(const std::vector<PlayedTraining>& trainings,
                              const std::vector<Moment>& open) {
    std::vector<Moment> ends;
    for (const PlayedTraining& training : trainings) {
        const Moment end = training.Ended;
        const bool quiet =
            std::none_of(open.begin(), open.end(), [end](Moment start) { return start <= end; }) &&
            std::none_of(trainings.begin(), trainings.end(), [end](const PlayedTraining& other) {
                return other.Started <= end && other.Ended > end;
            });
        if (quiet)
            ends.push_back(end);
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    return ends;
}

// Whatever order the lines reach the file in, and whatever trainings are
// known to be under way, every reading is the mean wealth of all answers
// given up to one moment, and a reading is taken at every moment when no
// training was under way.
TEST(HistoryReadingTest, EveryReadingIsTheWealthOfTheAnswersGivenUpToOneMoment) {
    std::mt19937_64 random(11);
    for (int round = 0; round < 400; ++round) {
        const std::vector<PlayedTraining> played = PlayedSideBySide(random);
        std::vector<std::size_t> fileOrder(played.size());
        for (std::size_t i = 0; i < fileOrder.size(); ++i)
            fileOrder[i] = i;
        std::shuffle(fileOrder.begin(), fileOrder.end(), random);
        // Some trainings are still under way: their journals are all that is known.
        const std::size_t written = fileOrder.size() - random() % 3 % fileOrder.size();
        HistoryReading reading;
        std::vector<PlayedTraining> known;
        std::vector<Moment> open;
        for (std::size_t i = written; i < fileOrder.size(); ++i)
            open.push_back(played[fileOrder[i]].Started);
        reading.SetOpen(open);
        for (std::size_t i = 0; i < written; ++i) {
            const PlayedTraining& training = played[fileOrder[i]];
            ASSERT_TRUE(reading.Add(training.Record(fileOrder[i])));
            known.push_back(training);
            const std::vector<Moment> quiet = QuietEnds(known, open);
            const std::vector<FigureReading>& readings = reading.Readings();
            // A reading at a moment holds no answer of a later training; the
            // quiet moments without guesses in them are read at an earlier one.
            std::vector<Moment> readAt;
            for (const FigureReading& figure : readings) {
                readAt.push_back(figure.Moment);
                EXPECT_NEAR(figure.LogMeanWealth, WealthOfAnswersUpTo(known, figure.Moment), 1e-9)
                    << "round " << round;
                EXPECT_TRUE(std::binary_search(quiet.begin(), quiet.end(), figure.Moment))
                    << "round " << round;
            }
            EXPECT_TRUE(std::is_sorted(readAt.begin(), readAt.end()));
            ASSERT_EQ(readAt.size(), quiet.size()) << "round " << round << ", line " << i;
        }
    }
}

TrainingRecord LineOf(int minute, int right, int wrong, bool timed) {
    PlayedTraining played;
    played.Started = Day + minutes(minute);
    played.Ended = played.Started + seconds(30);
    for (int guess = 0; guess < right + wrong; ++guess)
        played.Guesses.push_back({played.Started, guess < right});
    TrainingRecord record = played.Record(static_cast<std::uint64_t>(minute));
    if (!timed)
        record.Start.reset();
    return record;
}

// Lines of older formats have no start: they are read where they lie in the
// file, each at its end, before the timed lines that follow them.
TEST(HistoryReadingTest, LinesWithoutAStartAreReadInTheOrderOfTheFile) {
    HistoryReading reading;
    reading.Add(LineOf(50, 6, 0, false));
    reading.Add(LineOf(10, 0, 6, false));
    reading.Add(LineOf(20, 3, 0, true));
    ASSERT_EQ(reading.Readings().size(), 3U);
    GuessEvidence first;
    for (int guess = 0; guess < 6; ++guess)
        first.AddGuess(0.5, true);
    EXPECT_DOUBLE_EQ(reading.Readings()[0].LogMeanWealth, first.LogMeanWealth());
    EXPECT_EQ(reading.Readings()[2].TrainingsRead, 3);
    EXPECT_EQ(reading.Lowest(), reading.Readings()[0]);
    EXPECT_DOUBLE_EQ(reading.LogLowestBound(), -first.LogMeanWealth());
}

// A training under way holds back every reading after its start: the figure
// stays at the last reading before it, says which start it waits for, and
// reads on once that training is in.
TEST(HistoryReadingTest, ATrainingUnderWayHoldsBackTheReadingsAfterItsStart) {
    HistoryReading reading;
    reading.Add(LineOf(0, 2, 0, true));
    const TrainingRecord parked = LineOf(1, 0, 8, true);
    reading.SetOpen({parked.Start->Moment});
    reading.Add(LineOf(2, 8, 0, true));
    reading.Add(LineOf(3, 8, 0, true));
    ASSERT_EQ(reading.Readings().size(), 1U);
    const double before = reading.LogCurrentBound();
    EXPECT_EQ(reading.WaitingFor(), parked.Start->Moment);
    EXPECT_EQ(reading.TrainingsWaiting(), 2);
    EXPECT_EQ(reading.LogLowestBound(), before);
    // The journal is completed: its losing answers come before the others'.
    reading.SetOpen({});
    reading.Add(parked);
    EXPECT_FALSE(reading.WaitingFor());
    EXPECT_EQ(reading.TrainingsWaiting(), 0);
    ASSERT_EQ(reading.Readings().size(), 4U);
    EXPECT_EQ(reading.Readings()[1].TrainingsRead, 2);
    EXPECT_LT(reading.Readings()[1].LogMeanWealth, reading.Readings()[0].LogMeanWealth);
    // Written twice, it counts once.
    EXPECT_FALSE(reading.Add(parked));
    EXPECT_EQ(reading.Trainings(), 4);
}

} // namespace
} // namespace kvarzel
