// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/players.h"

#include "simulation/split_mix.h"

namespace kvarzel::simulation {
namespace {

constexpr double LowFigure = 0.05;
// The restarter keeps a training only when this many first answers are right.
constexpr std::int32_t RestarterFirstAnswers = 3;

Move GuessOf(bool black) {
    return black ? Move::Black : Move::White;
}

// The more common colour left in an exact bucket. Where the colours are left
// to chance nothing can be counted, so it bets on the colour seen less often
// so far, as a gambler would.
Move CountedGuess(const Situation& situation, SplitMix& random) {
    const std::int32_t black = situation.ByChance ? situation.DrawnWhite() : situation.BlackLeft();
    const std::int32_t white = situation.ByChance ? situation.DrawnBlack : situation.WhiteLeft();
    return GuessOf(black == white ? random.Coin() : black > white);
}

// A player with its own random numbers, which the bucket's never touch.
class RandomPlayer : public Player {
public:
    explicit RandomPlayer(std::uint64_t seed) : random_(seed) {}

protected:
    SplitMix random_;
};

class Guesser : public RandomPlayer {
public:
    using RandomPlayer::RandomPlayer;
    Move Next(const Situation&) override { return GuessOf(random_.Coin()); }
};

class Counter : public RandomPlayer {
public:
    using RandomPlayer::RandomPlayer;
    Move Next(const Situation& situation) override { return CountedGuess(situation, random_); }
};

// Lets the timer answer the rest once it is ahead: the trick that fools a
// figure computed as if the number of guesses had been fixed in advance.
class StoppingCounter : public RandomPlayer {
public:
    using RandomPlayer::RandomPlayer;
    Move Next(const Situation& situation) override {
        if (situation.TrainingBound <= LowFigure || situation.RunBound <= LowFigure)
            return Move::Timer;
        return CountedGuess(situation, random_);
    }
};

class Restarter : public RandomPlayer {
public:
    using RandomPlayer::RandomPlayer;
    Move Next(const Situation& situation) override {
        if (situation.Drawn > 0 && situation.Drawn <= RestarterFirstAnswers &&
            situation.RightCount < situation.Drawn)
            return Move::Restart;
        return CountedGuess(situation, random_);
    }
};

class Alternator : public Player {
public:
    Move Next(const Situation& situation) override { return GuessOf(situation.Drawn % 2 == 1); }
};

class IntuitivePlayer : public RandomPlayer {
public:
    IntuitivePlayer(double rightChance, std::uint64_t seed)
        : RandomPlayer(seed), rightChance_(rightChance) {}
    Move Next(const Situation& situation) override {
        return GuessOf(random_.Chance(rightChance_) == situation.NextIsBlack);
    }

private:
    double rightChance_;
};

template <typename Kind> PlayerMaker MakerOf() {
    return [](std::uint64_t seed) { return std::make_unique<Kind>(seed); };
}

} // namespace

const std::vector<PlayerKind>& PlayersWithoutIntuition() {
    static const std::vector<PlayerKind> players{
        {"guesser", false, MakerOf<Guesser>()},
        {"counter", false, MakerOf<Counter>()},
        {"stopping counter", false, MakerOf<StoppingCounter>()},
        {"restarter", true, MakerOf<Restarter>()},
        {"alternator", false, [](std::uint64_t) { return std::make_unique<Alternator>(); }},
    };
    return players;
}

std::unique_ptr<Player> MakeIntuitivePlayer(double rightChance, std::uint64_t seed) {
    return std::make_unique<IntuitivePlayer>(rightChance, seed);
}

} // namespace kvarzel::simulation
