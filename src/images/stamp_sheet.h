// The stamp sheet: the user's BMP, whose top-left 120x90 pixels are drawn over the cell area of
// the PanelImage. Its platform objects (a memory context with the bitmap selected into it) live
// from a successful load until the next load or shut-down.
#pragma once

#include <string>

#include "src/images/panel_image.h"
#include "stamp/platform.h"

namespace stamp {

struct StampSheet {
  PlatHandle context = 0;
  PlatHandle bitmap = 0;
  PlatHandle previousBitmap = 0;

  bool loaded() const { return bitmap != 0; }
};

// Loads the sheet at path into the PanelImage's cell area. An empty path does nothing; a file
// that cannot be loaded shows "Stamp file open error", leaves no sheet loaded and the cells as
// they were.
void LoadStampSheet(const std::u16string& path, const PanelImage& panel, StampSheet& sheet);

// Releases the sheet's platform objects, when one is loaded.
void ReleaseStampSheet(StampSheet& sheet);

}  // namespace stamp
