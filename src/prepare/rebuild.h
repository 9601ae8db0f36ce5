// Stamp preparation: builds the StampImage at the top-left of the host's stampBuffer from a cell
// of the PanelImage, the reduction and the angle, and gives its size.
#pragma once

#include "src/core/image_view.h"
#include "src/core/rotated_size.h"
#include "src/core/stamp_settings.h"

namespace stamp {

// The record's two canvas-sized buffers the preparation works in.
struct StampBuffers {
  ImageView stampImage;  // stampBuffer: the StampImage at (0,0), the cell cache at (0,60)
  ImageView scratch;     // scratchBuffer: the reduction's output and the rotation's source
};

// Takes the selected cell afresh from panelImage (reduced when the settings say so) into the
// cell cache, then rotates it as TurnStamp does.
RotatedSize PrepareStamp(ConstImageView panelImage, const StampSettings& settings,
                         StampBuffers buffers);

// Rotates the cell cache by the settings' angle onto a white 60x60 square at (0,0), without
// reading the PanelImage: the StampImage's size.
RotatedSize TurnStamp(const StampSettings& settings, StampBuffers buffers);

}  // namespace stamp
