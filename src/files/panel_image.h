// The PanelImage: the plug-in's own 264x100 24-bit raster holding the dial artwork, the marker,
// the reduction icons and the twelve stamp cells. Its bytes are the pixel memory of a
// device-independent bitmap selected into the panel context, so platform drawing (the panel file,
// the stamp sheet) and the plug-in's pixel code work on the same memory.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/host_context.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp {

inline constexpr int32_t kPanelImageWidth = 264;
inline constexpr int32_t kPanelImageHeight = 100;
inline constexpr int32_t kPanelImageBytes = kPanelImageWidth * kPanelImageHeight * 3;

// The region of the PanelImage that holds the twelve cells (4 columns x 3 rows of 30x30).
inline constexpr int32_t kCellAreaX = 70;
inline constexpr int32_t kCellAreaY = 0;
inline constexpr int32_t kCellSize = STAMP_CELL_SIZE;
inline constexpr int32_t kCellColumns = STAMP_SHEET_COLUMNS;
inline constexpr int32_t kCellRows = STAMP_SHEET_ROWS;

struct PanelImage {
  PlatHandle context = 0;         // the panel context P
  PlatHandle bitmap = 0;          // the device-independent bitmap selected into P
  PlatHandle previousBitmap = 0;  // P's bitmap before, put back at release
  uint8_t* pixels = nullptr;      // kPanelImageBytes bytes, bottom-up B,G,R
};

// Creates the PanelImage from the panel image file at path, in a 24-bit format modelled on the
// host's canvasDC. On failure shows the matching message, releases what it made and returns false.
bool CreatePanelImage(const std::u16string& path, const HostContext& host, PanelImage& image);

// Puts the panel context's previous bitmap back, deletes the bitmap and the context.
void ReleasePanelImage(PanelImage& image);

}  // namespace stamp
