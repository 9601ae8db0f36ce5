// The StampSettings: what the user chose, kept in the host's profile between sessions. Values
// read from the profile are taken as they are, so each may be any int32.
#pragma once

#include <cstdint>
#include <string>

#include "stamp/plugin.h"

namespace stamp {

// The reductions (see stamp/plugin.h): a side within the reduced sides shrinks the cell to it,
// any other leaves it whole; the plus and minus buttons step the side within the button range.
inline constexpr int32_t kSmallestReducedSide = STAMP_SMALLEST_REDUCED_SIDE;
inline constexpr int32_t kLargestReducedSide = STAMP_LARGEST_REDUCED_SIDE;
inline constexpr int32_t kLowestButtonReduction = STAMP_LOWEST_BUTTON_REDUCTION;
inline constexpr int32_t kHighestButtonReduction = STAMP_HIGHEST_BUTTON_REDUCTION;

struct StampSettings {
  int32_t selection = STAMP_DEFAULT_SELECTION;  // stamp cell, 0..11 row by row
  int32_t angle = STAMP_DEFAULT_ANGLE;  // whole degrees, positive turns counter-clockwise on screen
  int32_t reduction = STAMP_DEFAULT_REDUCTION;  // cell side after reduction (see above)
  std::u16string stampPath;                     // the stamp sheet, empty for none
};

}  // namespace stamp
