// The PanelImage (layout in src/core/panel_image_layout.h): its bytes are the pixel memory of a
// device-independent bitmap selected into the panel context, so platform drawing (the panel
// file, the stamp sheet) and the plug-in's pixel code work on the same memory. Made from the
// panel image file at start-up, released at shut-down.
#pragma once

#include <cstdint>
#include <string>

#include "src/core/host_context.h"
#include "src/core/image_view.h"
#include "src/core/panel_image_layout.h"
#include "stamp/platform.h"

namespace stamp {

struct PanelImage {
  PlatHandle context = 0;         // the panel context P
  PlatHandle bitmap = 0;          // the device-independent bitmap selected into P
  PlatHandle previousBitmap = 0;  // P's bitmap before, put back at release
  uint8_t* pixels = nullptr;      // kPanelImageBytes bytes, bottom-up B,G,R
};

inline ConstImageView PanelImageView(const PanelImage& image) {
  return {image.pixels, kPanelImageWidth, kPanelImageHeight, kPanelImageBytes};
}

// Creates the PanelImage from the panel image file at path, in a 24-bit format modelled on the
// host's canvasDC. On failure shows the matching message, releases what it made and returns false.
bool CreatePanelImage(const std::u16string& path, const HostContext& host, PanelImage& image);

// Puts the panel context's previous bitmap back, deletes the bitmap and the context. An image
// that was never made (or was released) is left alone.
void ReleasePanelImage(PanelImage& image);

}  // namespace stamp
