// The stamp sheet's platform objects: a memory context with the loaded bitmap selected into it,
// alive from a successful load until the next load or shut-down.
#pragma once

#include "stamp/platform.h"

namespace stamp {

struct StampSheet {
  PlatHandle context = 0;
  PlatHandle bitmap = 0;
  PlatHandle previousBitmap = 0;
};

}  // namespace stamp
