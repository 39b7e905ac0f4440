#pragma once

#include <cstdint>
#include <vector>

namespace kvarzel {

// The number of black peas for a ratio strictly inside the scale:
// ratio / 20 * count in extended precision, rounded half to even.
std::int32_t BlackTarget(std::int32_t PeasCount, std::int32_t PeasRatio);

// Fills the pea sequence (true = black) from the current Seed. At either end
// of the ratio scale every pea is left to chance; inside it the bucket holds
// exactly BlackTarget black peas at random places. A ratio outside the scale
// is clamped into it, a negative count gives an empty bucket.
void FillPeas(std::vector<bool>& Peas, std::int32_t PeasCount, std::int32_t PeasRatio);

} // namespace kvarzel
