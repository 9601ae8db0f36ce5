// The PanelImage: the plug-in's own 264x100 24-bit raster holding the dial artwork, the marker,
// the reduction icons and the twelve stamp cells. Its bytes are the pixel memory of a
// device-independent bitmap selected into the panel context, so platform drawing (the panel file,
// the stamp sheet) and the plug-in's pixel code work on the same memory.
#pragma once

#include <cstdint>
#include <optional>

#include "src/core/image_view.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp {

inline constexpr int32_t kPanelImageWidth = 264;
inline constexpr int32_t kPanelImageHeight = 100;
inline constexpr int32_t kPanelImageBytes = kPanelImageWidth * kPanelImageHeight * 3;

// The region of the PanelImage that holds the twelve cells (4 columns x 3 rows of 30x30), cell
// 0 at its top-left, numbered row by row.
inline constexpr int32_t kCellAreaX = 70;
inline constexpr int32_t kCellAreaY = 0;
inline constexpr int32_t kCellSize = STAMP_CELL_SIZE;
inline constexpr int32_t kCellColumns = STAMP_SHEET_COLUMNS;
inline constexpr int32_t kCellRows = STAMP_SHEET_ROWS;

struct CellPoint {
  int32_t x;
  int32_t y;
};

// The top-left corner of the selected cell in a grid of kCellSize cells whose cell 0 lies at
// origin: column selection mod 4, row selection div 4, both truncating, so a negative selection
// lies left of and above the grid. A selection from the profile may be any int32, so the corner
// is formed in 64 bits; one beyond the int32 coordinates the pixel engine takes lies far
// outside any buffer, where nothing would be drawn, and gives none.
std::optional<CellPoint> CellCorner(int32_t selection, CellPoint origin);

struct PanelImage {
  PlatHandle context = 0;         // the panel context P
  PlatHandle bitmap = 0;          // the device-independent bitmap selected into P
  PlatHandle previousBitmap = 0;  // P's bitmap before, put back at release
  uint8_t* pixels = nullptr;      // kPanelImageBytes bytes, bottom-up B,G,R
};

inline ConstImageView PanelImageView(const PanelImage& image) {
  return {image.pixels, kPanelImageWidth, kPanelImageHeight, kPanelImageBytes};
}

}  // namespace stamp
