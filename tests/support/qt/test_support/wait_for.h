// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace kvarzel::testing {

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 3000);

} // namespace kvarzel::testing
