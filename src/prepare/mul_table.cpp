// MulTable holds floor(a x b / 256) for every pair of channel values. It stands in for every
// product of a colour value and an 8-bit weight in the rotation, so the per-pixel work needs
// neither multiplication nor division.
#include "src/prepare/mul_table.h"

#include <array>

namespace stamp {
namespace {

constexpr uint32_t kLevels = 256;             // channel values and weights are 0..255
constexpr uint32_t kLevelMask = kLevels - 1;  // keeps an index inside its row
constexpr uint32_t kProductShift = 8;         // dividing a product by 256

using Row = std::array<uint8_t, kLevels>;
std::array<Row, kLevels> table{};  // zeros until BuildMulTable runs

}  // namespace

// Row a is built from a running sum that grows by a per entry: before entry b is written the
// sum is exactly a x b, so no multiplication is needed. The sum peaks at 255 x 255 = 65025 and
// the entry at 65025 / 256 = 254, which fits a byte.
void BuildMulTable() {
  uint32_t factor = 0;
  for (Row& row : table) {
    uint32_t product = 0;
    for (uint8_t& entry : row) {
      entry = static_cast<uint8_t>(product >> kProductShift);
      product += factor;
    }
    ++factor;
  }
}

// Indices are taken modulo 256: callers pass channel values and weights, which already are.
uint8_t MulTable(uint32_t a, uint32_t b) { return table[a & kLevelMask][b & kLevelMask]; }

const uint8_t* MulTableEntries() { return reinterpret_cast<const uint8_t*>(table.data()); }

}  // namespace stamp
