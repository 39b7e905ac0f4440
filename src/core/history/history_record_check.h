// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/training_record.h"

namespace kvarzel {

// Whether a record read from a history line could have come from a real
// training: its bucket is the one its settings fill, its answers add up (all
// its peas for a finished training, at least one and not all for an abandoned
// one), its percentage is exactly the one the training works out from its
// counts, and its evidence lies within what its guesses can give.
bool IsPossibleTraining(const TrainingRecord& record);

} // namespace kvarzel
