// Making the PanelImage from the panel image file, and releasing it.
#pragma once

#include <string>

#include "src/core/host_context.h"
#include "src/core/panel_image.h"

namespace stamp {

// Creates the PanelImage from the panel image file at path, in a 24-bit format modelled on the
// host's canvasDC. On failure shows the matching message, releases what it made and returns false.
bool CreatePanelImage(const std::u16string& path, const HostContext& host, PanelImage& image);

// Puts the panel context's previous bitmap back, deletes the bitmap and the context.
void ReleasePanelImage(PanelImage& image);

}  // namespace stamp
