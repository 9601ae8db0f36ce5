// The tool panel's layout, named once: where each picture is taken from, where it lands on the
// host's panel raster, where the two numbers are written, and the hit areas of the pen.
//
// The panel lies in the host's 240x1050 panel raster from row 730 down. Pen positions arrive in
// panel coordinates: panel (x, y) is raster (x, y + 730). Hit areas are given in panel
// coordinates, everything that is drawn in raster coordinates (through FromPanel where the
// position belongs to the panel).
#pragma once

#include <cstdint>

#include "src/core/panel_image_layout.h"
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

// One picture of the panel: the region it is taken from and where its top-left corner lands.
struct PanelPiece {
  Region source;
  RasterPoint destination;
};

// The top-left corner of the cell grid (cell 0), and the centre of the dial, around which the
// stamp is shown and the pen's angle is measured.
inline constexpr PanelPoint kGridOrigin = {110, 10};
inline constexpr PanelPoint kDialCentre = {75, 60};

// Pictures taken from the PanelImage.
inline constexpr PanelPiece kCellGridPiece = {kCellArea, FromPanel(kGridOrigin)};
inline constexpr PanelPiece kDialBackgroundPiece = {kDialBackgroundArt, FromPanel({40, 25})};
inline constexpr PanelPiece kDialFacePiece = {kDialFaceArt, FromPanel({40, 25})};
// The marker's destination is that of cell 0; cell (c, r) lies kCellSize x (c, r) further on.
inline constexpr PanelPiece kMarkerPiece = {kMarkerArt, FromPanel(kGridOrigin)};
inline constexpr PanelPiece kPlusPiece = {kPlusArt, FromPanel({90, 10})};
inline constexpr PanelPiece kMinusPiece = {kMinusArt, FromPanel({90, 100})};

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

// How far a hit area lies inside the edges of the picture it belongs to; a picture's right and
// bottom edges are its last column and row.
struct Inset {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

constexpr HitArea HitAreaOf(const PanelPiece& piece, Inset inset) {
  const int32_t left = piece.destination.x;
  const int32_t top = piece.destination.y - kPanelTopRow;
  return {left + inset.left, top + inset.top, left + piece.source.width - 1 - inset.right,
          top + piece.source.height - 1 - inset.bottom};
}

// Each hit area but the dial's starts one pixel inside the left and top edges of its picture and
// reaches its right and bottom edges. The dial's lies one pixel in from the left edge and three
// from the top, right and bottom edges.
inline constexpr Inset kButtonInset = {1, 1, 0, 0};
inline constexpr HitArea kGridHit = HitAreaOf(kCellGridPiece, kButtonInset);
inline constexpr HitArea kPlusHit = HitAreaOf(kPlusPiece, kButtonInset);
inline constexpr HitArea kMinusHit = HitAreaOf(kMinusPiece, kButtonInset);
inline constexpr HitArea kDialHit = HitAreaOf(kDialFacePiece, {1, 3, 3, 3});
inline constexpr HitArea kFileButtonHit = HitAreaOf(kFileButtonPiece, kButtonInset);
static_assert(kFileButtonHit.Contains(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y) &&
                  !kGridHit.Contains(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y),
              "the host's press point must open the load dialog");

}  // namespace stamp
