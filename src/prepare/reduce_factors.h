// The per-axis factors of the area-average reduction.
#pragma once

#include <cstdint>
#include <optional>

namespace stamp {

// An axis of `source` pixels shrunk to `destination` pixels is cut into L sub-sample positions,
// L the least common multiple of the two sizes: one destination pixel spans `step` = L /
// destination of them and one source pixel `sub` = L / source.
struct AxisFactors {
  uint16_t step;
  uint16_t sub;
};

// No factors when the axis would grow, a size is below 1, or L does not fit 16 bits.
std::optional<AxisFactors> ComputeAxisFactors(int32_t destination, int32_t source);

}  // namespace stamp
