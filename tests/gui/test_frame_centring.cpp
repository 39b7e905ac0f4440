// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_manager/frame_centring.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvarzel::testing {
namespace {

// A 1024 x 768 screen with a 333 x 340 frame: centred at (345, 214).
const QRect Screen(0, 0, 1024, 768);
const QSize Frame(333, 340);
const QPoint Centred(345, 214);

FrameSighting At(QPoint place, bool framed, bool pressed = false) {
    return {QRect(place, Frame), framed, pressed};
}

// Not on the screen yet: the server still reports the window as it was made.
FrameSighting Unmapped(QPoint place, QSize size) {
    return {QRect(place, size), true, false, false};
}

// The same window once the manager has framed it with a title bar 10 pixels
// higher than at first: centred at (345, 209).
const QSize TallerFrame(333, 350);
const QPoint TallerCentred(345, 209);

struct Sequence {
    const char* name;
    std::vector<FrameSighting> sightings;
    std::vector<std::optional<QPoint>> moves;
    bool finished;
};

TEST(FrameCentringTest, UndoesTheManagersMovesUntilCentredAndKeepsTheUsersOwn) {
    const std::vector<Sequence> sequences{
        {"framed where asked", {At(Centred, true)}, {std::nullopt}, true},
        {"placed by the manager",
         {At({192, 144}, true), At(Centred, true)},
         {Centred, std::nullopt},
         true},
        {"client area kept by the reparenting", {At({345, 204}, true)}, {Centred}, false},
        {"unframed, then framed by a manager started later",
         {At(Centred, false), At({345, 204}, true), At(Centred, true)},
         {std::nullopt, Centred, std::nullopt},
         true},
        {"stale position reported before the move lands",
         {At({0, 0}, true), At({0, 0}, true), At(Centred, true)},
         {Centred, Centred, std::nullopt},
         true},
        {"dragged by the user before being centred",
         {At({10, 20}, true, true)},
         {std::nullopt},
         true},
        {"button held while the window is where it was asked",
         {At({0, 0}, true), At(Centred, true, true)},
         {Centred, std::nullopt},
         true},
        {"as made, before the manager has placed and shown it",
         {Unmapped({0, 0}, {640, 480}), Unmapped({0, 0}, Frame), At(Centred, true)},
         {std::nullopt, std::nullopt, std::nullopt},
         true},
        {"centred while a move to the place for an older frame may still land",
         {At({0, 0}, true),
          {QRect(TallerCentred, TallerFrame), true},
          {QRect(TallerCentred, TallerFrame), true}},
         {Centred, TallerCentred, std::nullopt},
         true},
    };
    for (const Sequence& sequence : sequences) {
        FrameCentring centring(Screen);
        for (std::size_t i = 0; i < sequence.sightings.size(); ++i)
            EXPECT_EQ(centring.Next(sequence.sightings[i]), sequence.moves[i])
                << sequence.name << ", sighting " << i;
        EXPECT_EQ(centring.Finished(), sequence.finished) << sequence.name;
    }
}

TEST(FrameCentringTest, NothingMovesOnceFinished) {
    FrameCentring centring(Screen);
    centring.Next(At({50, 50}, true, true));
    ASSERT_TRUE(centring.Finished());
    EXPECT_EQ(centring.Next(At({0, 0}, true)), std::nullopt);
}

// A manager that puts the window back each time must not be fought forever.
TEST(FrameCentringTest, GivesUpOnAManagerThatKeepsItsOwnPlace) {
    FrameCentring centring(Screen);
    int moves = 0;
    for (int sighting = 0; sighting < 100 && !centring.Finished(); ++sighting)
        moves += centring.Next(At({0, 0}, true)).has_value() ? 1 : 0;
    EXPECT_TRUE(centring.Finished());
    EXPECT_GT(moves, 1);
    EXPECT_LT(moves, 20);
}

TEST(FrameCentringTest, CentresWithinTheAvailableAreaOfAnyScreen) {
    for (const QRect& area :
         {QRect(0, 0, 1024, 768), QRect(1920, 30, 1280, 994), QRect(-800, 0, 800, 600)}) {
        const QPoint place = FrameCentring(area).CentredPlace(Frame);
        const QRect frame(place, Frame);
        EXPECT_LE(std::abs((frame.left() - area.left()) - (area.right() - frame.right())), 1);
        EXPECT_LE(std::abs((frame.top() - area.top()) - (area.bottom() - frame.bottom())), 1);
    }
}

} // namespace
} // namespace kvarzel::testing
