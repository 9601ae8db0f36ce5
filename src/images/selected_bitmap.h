// A memory drawing context with a bitmap selected into it, released in reverse order of making.
#pragma once

#include "stamp/platform.h"

namespace stamp {

// Selects the context's previous bitmap back, then deletes the bitmap and the context.
inline void ReleaseSelectedBitmap(PlatHandle context, PlatHandle previousBitmap,
                                  PlatHandle bitmap) {
  plat_select_object(context, previousBitmap);
  plat_delete_object(bitmap);
  plat_delete_dc(context);
}

}  // namespace stamp
