// Stamp preparation: builds the StampImage at the top-left of the host's stampBuffer from the
// selected cell of the PanelImage, the reduction and the angle.
#pragma once

namespace stamp {

// With extract set the cell is taken afresh from the PanelImage (and reduced) into the cell
// cache at (0,60) of stampBuffer; either way the cache is rotated onto a white 60x60 square at
// (0,0), which sets RotatedSize.
void RebuildStamp(bool extract);

}  // namespace stamp
