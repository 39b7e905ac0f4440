// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvarzel::simulation {

// What the window has shown a player before the next answer: the bucket it
// was told about, the colours drawn so far (each answer's circle says whether
// it was right) and the figures of the training and of the run.
struct Situation {
    std::int32_t PeasCount = 0;
    bool ByChance = true;
    // The black peas the ratio puts into an exact bucket.
    std::int32_t BlackPeas = 0;
    std::int32_t Drawn = 0;
    std::int32_t DrawnBlack = 0;
    std::int32_t RightCount = 0;
    double TrainingBound = 1;
    double RunBound = 1;
    // The colour of the next pea: only a player with real intuition may look.
    bool NextIsBlack = false;

    std::int32_t BlackLeft() const { return BlackPeas - DrawnBlack; }
    std::int32_t WhiteLeft() const { return PeasCount - Drawn - BlackLeft(); }
    std::int32_t DrawnWhite() const { return Drawn - DrawnBlack; }
};

// A guess, the timer left to answer, or a new start in the middle.
enum class Move { White, Black, Timer, Restart };

class Player {
public:
    virtual ~Player() = default;
    virtual Move Next(const Situation& situation) = 0;
};

using PlayerMaker = std::function<std::unique_ptr<Player>(std::uint64_t seed)>;

struct PlayerKind {
    std::string Name;
    // Abandons trainings: its finished trainings are the ones it chose to
    // keep, so only the run's figure is meant to hold for it.
    bool Abandons = false;
    PlayerMaker Make;
};

// Players without intuition that use everything the window shows: a pure
// guesser, a counter, a counter that stops guessing once a figure is low, a
// restarter and an alternator.
const std::vector<PlayerKind>& PlayersWithoutIntuition();

// A player with real intuition, right with the given chance at every pea.
std::unique_ptr<Player> MakeIntuitivePlayer(double rightChance, std::uint64_t seed);

} // namespace kvarzel::simulation
