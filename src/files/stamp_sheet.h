// Loading the stamp sheet: the user's BMP, whose top-left 120x90 pixels are drawn over the cell
// area of the PanelImage, and releasing it.
#pragma once

namespace stamp {

// Loads the sheet named by the module's stampPath into the PanelImage's cell area and sets
// stampLoaded. An empty path does nothing; a file that cannot be loaded shows
// "Stamp file open error", clears stampLoaded and leaves the cells as they were.
void LoadStampSheet();

// Releases the sheet's platform objects (when stampLoaded).
void ReleaseStampSheet();

}  // namespace stamp
