// The two cell keys: plg_key_a steps back and plg_key_b forward through the twelve cells of the
// stamp sheet. Each gives the newly selected cell.
#pragma once

#include <cstdint>

namespace stamp {

// (selection + 11) mod 12: cell 0 goes to 11.
int32_t PreviousCell(int32_t selection);

// (selection + 1) mod 12: cell 11 goes to 0.
int32_t NextCell(int32_t selection);

}  // namespace stamp
