#pragma once

#include <string>

namespace kvarzel {

// A probability given by its natural logarithm, as a percentage with two
// significant digits: "38%", "0,28%", "0,0012%". Below 0.0001 % the
// figure switches to a power of ten, "1,2·10⁻²⁹⁹⁸%", since a double cannot
// hold what an all-right training of thousands of peas comes to.
std::string ChancePercentText(double logProbability, const std::string& decimalSeparator);

} // namespace kvarzel
