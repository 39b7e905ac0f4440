// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace kvarzel {

// An invalid axis setting; the axis keeps its old value.
class AxisException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An invalid series setting; the series keeps its old value.
class ChartException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kvarzel
