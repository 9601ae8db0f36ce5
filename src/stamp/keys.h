// The two cell keys: plg_key_a steps back and plg_key_b forward through the twelve cells of the
// stamp sheet, then the stamp is rebuilt from the newly selected cell.
#pragma once

#include <cstdint>

namespace stamp {

// selection = (selection + 11) mod 12: cell 0 goes to 11. Gives 2, or 0 outside a session.
int32_t KeyPreviousCell();

// selection = (selection + 1) mod 12: cell 11 goes to 0. Gives 2, or 0 outside a session.
int32_t KeyNextCell();

}  // namespace stamp
