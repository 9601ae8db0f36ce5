// MulTable: 256 x 256 bytes, entry [a][b] = floor(a x b / 256), the weighting used by the
// bilinear rotation. Built once at start-up, read-only afterwards.
#pragma once

#include <cstdint>

namespace stamp {

void BuildMulTable();
// Entry [a][b]; a and b are 0..255.
uint8_t MulTable(uint32_t a, uint32_t b);
// The whole table, row after row: entry [a][b] is at index a x 256 + b. For loops that look up
// many entries per pixel and would spend more on the calls than on the lookups.
const uint8_t* MulTableEntries();

}  // namespace stamp
