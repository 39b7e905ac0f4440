// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options.h"
#include "core/training.h"
#include "test_support/recording_training_view.h"

#include <gtest/gtest.h>

#include <memory>

namespace kvarzel::testing {

// A training run on options of their own, which are the program's options
// for the test, telling a view that records what it is told.
template <typename View> class TrainingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        options = std::make_unique<TOptions>();
        Options = options.get();
    }
    void TearDown() override { Options = nullptr; }

    // The right answer for the next pea, or the wrong one.
    Answer RightAnswer() const { return NextIsBlack() ? Answer::Black : Answer::White; }
    Answer WrongAnswer() const { return NextIsBlack() ? Answer::White : Answer::Black; }

    std::unique_ptr<TOptions> options;
    View view;
    TrainingRun run{view};

private:
    bool NextIsBlack() const { return run.Peas()[static_cast<std::size_t>(run.DrawIndex())]; }
};

} // namespace kvarzel::testing
