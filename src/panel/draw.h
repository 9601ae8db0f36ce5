// Drawing the tool panel into the host's panel raster.
#pragma once

namespace stamp {

// plg_update_submenu: draws, in this order, the cell grid, the dial (background added, face
// multiplied), the marker on the selected cell, the plus and minus icons, the file button, the
// StampImage centred on the dial, the angle as shown to the user (the negated angle) and the
// reduction. Nothing is cleared first, so the blends combine with what the raster holds: a second
// call over an unrestored panel adds and multiplies once more. Changes no module state; does
// nothing outside a session.
void DrawPanel();

}  // namespace stamp
