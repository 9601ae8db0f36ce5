// MulTable: 256 x 256 bytes, entry [a][b] = floor(a x b / 256), the weighting used by the
// bilinear rotation. It stands in for every product of a colour value and an 8-bit weight there,
// so the per-pixel work needs neither multiplication nor division. The table is made by the
// compiler: it is constant data of the module, never state that must be built before use.
#pragma once

#include <array>
#include <cstdint>

namespace stamp {

inline constexpr uint32_t kMulTableLevels = 256;  // channel values and weights are 0..255

// The whole table, row after row: entry [a][b] is at index a x 256 + b.
using MulTableEntries = std::array<uint8_t, kMulTableLevels * kMulTableLevels>;

// Row a is built from a running sum that grows by a per entry: before entry b is written the
// sum is exactly a x b, so no multiplication is needed. The sum peaks at 255 x 255 = 65025 and
// the entry at 65025 / 256 = 254, which fits a byte.
constexpr MulTableEntries BuildMulTable() {
  constexpr uint32_t kProductShift = 8;  // dividing a product by 256
  MulTableEntries table{};
  for (uint32_t a = 0; a < kMulTableLevels; ++a) {
    uint32_t product = 0;
    for (uint32_t b = 0; b < kMulTableLevels; ++b) {
      table[a * kMulTableLevels + b] = static_cast<uint8_t>(product >> kProductShift);
      product += a;
    }
  }
  return table;
}

inline constexpr MulTableEntries kMulTable = BuildMulTable();

// Entry [a][b]. Indices are taken modulo 256: callers pass channel values and weights, which
// already are.
constexpr uint8_t MulTable(uint32_t a, uint32_t b) {
  constexpr uint32_t kLevelMask = kMulTableLevels - 1;
  return kMulTable[(a & kLevelMask) * kMulTableLevels + (b & kLevelMask)];
}

}  // namespace stamp
