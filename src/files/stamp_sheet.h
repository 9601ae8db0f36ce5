// The stamp sheet: the user's BMP, whose top-left 120x90 pixels are drawn over the cell area of
// the PanelImage. Its platform objects (a memory context with the loaded bitmap selected into it)
// live from a successful load until the next load or shut-down.
#pragma once

#include "stamp/platform.h"

namespace stamp {

struct StampSheet {
  PlatHandle context = 0;
  PlatHandle bitmap = 0;
  PlatHandle previousBitmap = 0;
};

// Loads the sheet named by the module's stampPath into the PanelImage's cell area and sets
// stampLoaded. An empty path does nothing; a file that cannot be loaded shows
// "Stamp file open error", clears stampLoaded and leaves the cells as they were.
void LoadStampSheet();

// Releases the sheet's platform objects (when stampLoaded).
void ReleaseStampSheet();

}  // namespace stamp
