// The tool panel's layout, named once: where each picture is taken from, where it lands on the
// host's panel raster, where the two numbers are written, and the hit areas of the pen.
//
// The panel lies in the host's 240x1050 panel raster from row 730 down. Pen positions arrive in
// panel coordinates: panel (x, y) is raster (x, y + 730). Hit areas are given in panel
// coordinates, everything that is drawn in raster coordinates (through FromPanel where the
// position belongs to the panel).
#pragma once

#include <cstdint>

#include "src/core/panel_image.h"
#include "stamp/host_record.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp {

inline constexpr int32_t kPanelTopRow = STAMP_PANEL_TOP_ROW;

struct PanelPoint {
  int32_t x;
  int32_t y;
};

struct RasterPoint {
  int32_t x;
  int32_t y;
};

constexpr RasterPoint FromPanel(PanelPoint point) { return {point.x, point.y + kPanelTopRow}; }

// A rectangle of a source image: top-left corner and size.
struct Region {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// One picture of the panel: the region it is taken from and where its top-left corner lands.
struct PanelPiece {
  Region source;
  RasterPoint destination;
};

// The top-left corner of the cell grid (cell 0), and the centre of the dial, around which the
// stamp is shown and the pen's angle is measured.
inline constexpr PanelPoint kGridOrigin = {110, 10};
inline constexpr PanelPoint kDialCentre = {75, 60};

// Pictures taken from the PanelImage (264x100).
inline constexpr int32_t kCellGridWidth = STAMP_SHEET_WIDTH;
inline constexpr int32_t kCellGridHeight = STAMP_SHEET_HEIGHT;
inline constexpr PanelPiece kCellGridPiece = {
    {kCellAreaX, kCellAreaY, kCellGridWidth, kCellGridHeight}, FromPanel(kGridOrigin)};
inline constexpr PanelPiece kDialBackgroundPiece = {{190, 0, 70, 70}, FromPanel({40, 25})};
inline constexpr PanelPiece kDialFacePiece = {{0, 0, 70, 70}, FromPanel({40, 25})};
// The marker's destination is that of cell 0; cell (c, r) lies kCellSize x (c, r) further on.
inline constexpr PanelPiece kMarkerPiece = {{0, 70, kCellSize, kCellSize}, FromPanel(kGridOrigin)};
inline constexpr PanelPiece kPlusPiece = {{40, 70, 10, 10}, FromPanel({90, 10})};
inline constexpr PanelPiece kMinusPiece = {{40, 80, 10, 10}, FromPanel({90, 100})};

// The file button's picture, which the host keeps in its own panel raster.
inline constexpr PanelPiece kFileButtonPiece = {
    {STAMP_FILE_BUTTON_X, STAMP_FILE_BUTTON_Y, STAMP_FILE_BUTTON_WIDTH, STAMP_FILE_BUTTON_HEIGHT},
    FromPanel({180, 95})};

// The two numbers, in raster coordinates, right and bottom exclusive.
inline constexpr PlatRect kAngleTextRect = {45, 90 + kPanelTopRow, 80, 103 + kPanelTopRow};
inline constexpr PlatRect kReductionTextRect = {55, 8 + kPanelTopRow, 90, 20 + kPanelTopRow};
// Text drawn left-aligned on the rectangle's top line, clipped to it.
inline constexpr uint32_t kPanelTextFormat = 0;

// A pen hit area in panel coordinates, every bound inclusive.
struct HitArea {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  constexpr bool Contains(int32_t x, int32_t y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// Each hit area but the dial's starts one pixel inside the left and top edges of the picture it
// belongs to and reaches its right and bottom edges. The dial's lies within its 70x70 picture,
// one pixel in from the left edge and three from the top, right and bottom edges.
inline constexpr HitArea kGridHit = {111, 11, 229, 99};
inline constexpr HitArea kPlusHit = {91, 11, 99, 19};
inline constexpr HitArea kMinusHit = {91, 101, 99, 109};
inline constexpr HitArea kDialHit = {41, 28, 106, 91};
inline constexpr HitArea kFileButtonHit = {181, 96, 229, 114};
static_assert(kFileButtonHit.Contains(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y) &&
                  !kGridHit.Contains(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y),
              "the host's press point must open the load dialog");

}  // namespace stamp
