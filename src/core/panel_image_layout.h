// The PanelImage's layout: the plug-in's own 264x100 24-bit raster holding the dial artwork, the
// marker, the reduction icons and the twelve stamp cells, and where each picture lies in it
// (pixel coordinates, top-left corner and size). The panel image file is drawn to this layout.
#pragma once

#include <cstdint>
#include <optional>

#include "stamp/plugin.h"

namespace stamp {

// A rectangle of a source image: top-left corner and size.
struct Region {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

inline constexpr int32_t kPanelImageWidth = 264;
inline constexpr int32_t kPanelImageHeight = 100;
inline constexpr int32_t kPanelImageBytes = kPanelImageWidth * kPanelImageHeight * 3;

// The twelve cells: 4 columns x 3 rows of 30x30, cell 0 at the area's top-left, numbered row by
// row. A loaded stamp sheet is drawn over this area.
inline constexpr int32_t kCellSize = STAMP_CELL_SIZE;
inline constexpr int32_t kCellColumns = STAMP_SHEET_COLUMNS;
inline constexpr int32_t kCellRows = STAMP_SHEET_ROWS;
inline constexpr int32_t kCellCount = kCellColumns * kCellRows;
inline constexpr Region kCellArea = {70, 0, STAMP_SHEET_WIDTH, STAMP_SHEET_HEIGHT};

inline constexpr Region kDialFaceArt = {0, 0, 70, 70};
inline constexpr Region kDialBackgroundArt = {190, 0, 70, 70};
inline constexpr Region kMarkerArt = {0, 70, kCellSize, kCellSize};
inline constexpr Region kPlusArt = {40, 70, 10, 10};
inline constexpr Region kMinusArt = {40, 80, 10, 10};

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

}  // namespace stamp
