// The StampSettings: what the user chose, kept in the host's profile between sessions. Values
// read from the profile are taken as they are, so each may be any int32.
#pragma once

#include <cstdint>
#include <string>

#include "stamp/plugin.h"

namespace stamp {

struct StampSettings {
  int32_t selection = STAMP_DEFAULT_SELECTION;  // stamp cell, 0..11 row by row
  int32_t angle = STAMP_DEFAULT_ANGLE;  // whole degrees, positive turns counter-clockwise on screen
  int32_t reduction = STAMP_DEFAULT_REDUCTION;  // cell side after reduction; outside 5..29 none
  std::u16string stampPath;                     // the stamp sheet, empty for none
};

}  // namespace stamp
