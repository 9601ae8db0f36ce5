// Drawing the tool panel into the host's panel raster.
#pragma once

#include "src/core/host_context.h"
#include "src/core/image_view.h"
#include "src/core/rotated_size.h"
#include "src/core/stamp_settings.h"

namespace stamp {

// What the panel shows: the host's panel raster and context, the PanelImage, the settings and the
// StampImage's size (the StampImage itself is read from stampBuffer (0,0)).
struct PanelScene {
  HostContext host;
  ConstImageView panelImage;
  const StampSettings& settings;
  RotatedSize stampSize;
};

// plg_update_submenu: draws, in this order, the cell grid, the dial (background added, face
// multiplied), the marker on the selected cell, the plus and minus icons, the file button, the
// StampImage centred on the dial, the angle as shown to the user (the negated angle) and the
// reduction. Nothing is cleared first, so the blends combine with what the raster holds: a second
// call over an unrestored panel adds and multiplies once more.
void DrawPanel(const PanelScene& scene);

}  // namespace stamp
